#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <memory>

namespace image {

/// Outcome of one echo request.
enum class Echo_Result {
    Reply,    // an echo reply with data came back
    No_Reply, // time-out or an error reply
    Unusable, // the request could not be sent (bad address, no socket)
};

/// @brief Sends one ICMP echo request at a time and reports its outcome once, by Echo_Done,
/// never from inside Send_Echo. Implementations never block the calling thread.
class Echo_Sender : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    /// Sends one request to @p address (dotted IPv4) and waits at most @p timeout_ms for its
    /// reply.
    virtual void Send_Echo(const QString& address, int timeout_ms) = 0;

Q_SIGNALS:
    void Echo_Done(image::Echo_Result result);
};

/// @brief The operating system's ICMP echo, without root where the system allows it: an ICMP
/// datagram socket (falling back to a raw socket) on Unix, the echo service on Windows.
std::unique_ptr<Echo_Sender> Make_System_Echo_Sender();

/// Bounds of the echo check; tests shorten them.
struct Echo_Timing {
    int Try_Timeout_Ms = 400;
    int Budget_Ms = 5000;
};

/// `ping_res`: the result of the most recent echo.
enum Ping_Result { Ping_None = 0, Ping_Reply = 1, Ping_No_Reply = 2 };

/// @brief The check that the converter answers before an update (`Send_Ping`): echoes one
/// after the other until two were answered or the budget is spent; the last echo decides.
/// Asynchronous: the event loop runs (and windows repaint) between tries.
class Echo_Check : public QObject {
    Q_OBJECT

public:
    explicit Echo_Check(Echo_Sender& sender, Echo_Timing timing = {}, QObject* parent = nullptr);

    /// Starts the check of @p address (the four box texts joined by "."). Finished follows
    /// once; an address that is not four numbers 0..255 finishes at once, unanswered.
    void Send_Ping(const QString& address);

    int Ping_Res() const { return ping_res_; }
    int Tries() const { return tries_; }
    bool Running() const { return running_; }

Q_SIGNALS:
    /// True exactly when the last echo was answered.
    void Finished(bool answered);

private:
    void Send_Try();
    void PingReply(image::Echo_Result result);
    void Finish();

    Echo_Sender& sender_;
    Echo_Timing timing_;
    QString address_;
    QElapsedTimer clock_;
    int ping_res_ = Ping_None;
    int successes_ = 0;
    int tries_ = 0;
    bool running_ = false;
};

} // namespace image
