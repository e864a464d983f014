#include "app/version_check.h"

#include "app/session_state.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>

namespace app {

namespace {

QUrl Page(const QUrl& server, const QString& path) {
    QUrl url = server;
    url.setPath(path);
    return url;
}

QUrl With_Query(QUrl url, const char* key) {
    QUrlQuery query;
    query.addQueryItem(QString::fromLatin1(key), QString::fromLatin1(Default_SW_Code));
    url.setQuery(query);
    return url;
}

} // namespace

QUrl Maker_Server_Url() {
    return QUrl(QStringLiteral("https://%1").arg(QString::fromLatin1(Maker_Host)));
}

QUrl Download_Page_Url(const QUrl& server) {
    QUrl url = Page(server, QStringLiteral("/Home/download/download.asp"));
    url.setFragment(QStringLiteral("VD20417"));
    return url;
}

QUrl Home_Page_Url(const QUrl& server) {
    return With_Query(Page(server, QStringLiteral("/HOME/default.asp")), "frompg");
}

QUrl Version_Query_Url(const QUrl& server) {
    return With_Query(Page(server, QStringLiteral("/home/download/GetversionSW.asp")), "nomesw");
}

QString Link_Html(const QUrl& target, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(target.toString(QUrl::FullyEncoded).toHtmlEscaped(), text.toHtmlEscaped());
}

int Conv_Version(const QString& text) {
    const qsizetype blank = text.indexOf(u' ');
    const QString version = (blank < 0 ? text : text.mid(blank + 1)).trimmed();
    if (version.size() < 5)
        return -1;
    // The second character is the decimal point, whatever the server put there.
    const QString digits = version.left(1) + version.mid(2, 3);
    int number = 0;
    for (const QChar digit : digits) {
        if (digit < u'0' || digit > u'9')
            return -1;
        number = number * 10 + (digit.unicode() - u'0');
    }
    return number;
}

bool Is_Newer_Version(const QString& answer) {
    const QString trimmed = answer.trimmed();
    if (trimmed.isEmpty() || trimmed.toUpper() == QLatin1String("VER. 0.000"))
        return false;
    const int local = Conv_Version(QString::fromLatin1(SW_Version));
    const int remote = Conv_Version(trimmed);
    return local != -1 && remote != -1 && remote > local;
}

Version_Request::Version_Request(QNetworkReply* reply, int time_limit_ms, QObject* parent)
    : QObject(parent), reply_(reply), limit_(new QTimer(this)) {
    reply_->setParent(this);
    limit_->setSingleShot(true);
    connect(limit_, &QTimer::timeout, this, &Version_Request::Time_Is_Up);
    connect(reply_, &QNetworkReply::finished, this, &Version_Request::Reply_Finished);
    limit_->start(time_limit_ms);
}

void Version_Request::Reply_Finished() {
    if (done_)
        return;
    done_ = true;
    limit_->stop();
    // An error status or a broken connection leaves the answer empty.
    const QString answer = reply_->error() == QNetworkReply::NoError
                               ? QString::fromLatin1(reply_->readAll())
                               : QString();
    Q_EMIT Finished(Is_Newer_Version(answer));
    deleteLater();
}

void Version_Request::Time_Is_Up() {
    // abort() finishes the reply with an error, which reports "no newer version".
    reply_->abort();
}

Version_Checker::Version_Checker(QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

Version_Request* Version_Checker::Check_Version() {
    QNetworkRequest request(Version_Query_Url(server_));
    // A plain one-shot request: no HTTP/2, no cookies sent or kept.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setRawHeader("Connection", "close");
    return new Version_Request(manager_->get(request), time_limit_ms_, this);
}

} // namespace app
