#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace app {

/// The maker's web server: the version service, the download page and the home page.
inline constexpr const char* Maker_Host = "www.tolmex.com";
QUrl Maker_Server_Url();

/// The download page that a "new version" link opens.
QUrl Download_Page_Url(const QUrl& server = Maker_Server_Url());
/// The maker's home page (main window link, about box).
QUrl Home_Page_Url(const QUrl& server = Maker_Server_Url());
/// The version service: the newest version of the program with software code VX20417.
QUrl Version_Query_Url(const QUrl& server = Maker_Server_Url());

/// Rich text of a link label: @p text, escaped, pointing at @p target.
QString Link_Html(const QUrl& target, const QString& text);

/// @brief A version text reduced to an integer: the part after the first blank, its first
/// digit and the three after the decimal point ("VER. 1.002" gives 1002); -1 when it is too
/// short or not a number.
int Conv_Version(const QString& text);

/// True when the server's answer names a version newer than our own SW_Version.
bool Is_Newer_Version(const QString& answer);

/// @brief One version check on its way. Reports once through Finished, then deletes itself.
class Version_Request : public QObject {
    Q_OBJECT

public:
    Version_Request(QNetworkReply* reply, int time_limit_ms, QObject* parent);

Q_SIGNALS:
    /// True when the server reported a newer version. Any failure counts as "no newer version".
    void Finished(bool newer);

private:
    void Reply_Finished();
    void Time_Is_Up();

    QNetworkReply* reply_;
    QTimer* limit_;
    bool done_ = false;
};

/// @brief Asks the maker's server whether a newer version of the program exists. Never blocks:
/// each check is a Version_Request that reports when the answer came, failed or took too long.
class Version_Checker : public QObject {
    Q_OBJECT

public:
    static constexpr int Default_Time_Limit_Ms = 10000;

    explicit Version_Checker(QObject* parent = nullptr);

    /// Tests point the checker at a server on loopback and shorten the limit.
    void Set_Server(const QUrl& server) { server_ = server; }
    void Set_Time_Limit(int milliseconds) { time_limit_ms_ = milliseconds; }
    QUrl Server() const { return server_; }

    /// Starts one GET of the version service; connect to the request's Finished at once.
    Version_Request* Check_Version();

private:
    QNetworkAccessManager* manager_;
    QUrl server_ = Maker_Server_Url();
    int time_limit_ms_ = Default_Time_Limit_Ms;
};

} // namespace app
