#include "image/echo_check.h"

#include "image/ip_address.h"

#include <QPointer>
#include <QTimer>

#if defined(Q_OS_WIN)
#include <QThread>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <atomic>
#include <icmpapi.h>
#include <iphlpapi.h>
#include <vector>
#include <winsock2.h>
#include <ws2tcpip.h>
#elif defined(Q_OS_UNIX)
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cstdint>

namespace image {

// --- The check --------------------------------------------------------------------------------

namespace {

constexpr int Successes_Needed = 2;

} // namespace

Echo_Check::Echo_Check(Echo_Sender& sender, Echo_Timing timing, QObject* parent)
    : QObject(parent), sender_(sender), timing_(timing) {
    connect(&sender_, &Echo_Sender::Echo_Done, this, &Echo_Check::PingReply);
}

void Echo_Check::Send_Ping(const QString& address) {
    ping_res_ = Ping_None;
    successes_ = 0;
    tries_ = 0;
    running_ = true;
    clock_.start();
    IP_Parts parts;
    if (!Split_IP_Address(address, parts)) {
        // Nothing is sent to a text that is not an address: no echo result at all.
        QTimer::singleShot(0, this, &Echo_Check::Finish);
        return;
    }
    address_ = Join_IP_Address(parts);
    Send_Try();
}

void Echo_Check::Send_Try() {
    ++tries_;
    sender_.Send_Echo(address_, timing_.Try_Timeout_Ms);
}

void Echo_Check::PingReply(Echo_Result result) {
    if (!running_)
        return;
    if (result == Echo_Result::Unusable)
        return Finish(); // ping_res keeps the previous echo's result
    ping_res_ = result == Echo_Result::Reply ? Ping_Reply : Ping_No_Reply;
    if (ping_res_ == Ping_Reply)
        ++successes_;
    if (successes_ >= Successes_Needed || clock_.elapsed() > timing_.Budget_Ms)
        return Finish();
    // The next try starts from the event loop, so the window repaints in between.
    QTimer::singleShot(0, this, [this] {
        if (running_)
            Send_Try();
    });
}

void Echo_Check::Finish() {
    running_ = false;
    Q_EMIT Finished(ping_res_ == Ping_Reply);
}

// --- The operating system's echo ----------------------------------------------------------------

namespace {

/// Total size of an echo request, header included.
constexpr int Echo_Packet_Size = 1024;
constexpr int Icmp_Header_Size = 8;
constexpr uint8_t Icmp_Echo_Request = 8;
constexpr uint8_t Icmp_Echo_Reply = 0;

#if defined(Q_OS_WIN)

/// The system's echo service, asked from a short-lived thread so nothing blocks the caller.
class Icmp_Service_Sender final : public Echo_Sender {
public:
    ~Icmp_Service_Sender() override {
        if (thread_)
            thread_->wait(); // at most one try's time-out
    }

    void Send_Echo(const QString& address, int timeout_ms) override {
        IN_ADDR target{};
        const std::wstring text = address.toStdWString();
        if (thread_ || InetPtonW(AF_INET, text.c_str(), &target) != 1)
            return Report_Later(Echo_Result::Unusable);
        const ULONG ip = target.S_un.S_addr;
        thread_ = QThread::create([this, ip, timeout_ms] { result_ = Ask(ip, timeout_ms); });
        connect(thread_, &QThread::finished, this, [this] {
            thread_->deleteLater();
            thread_ = nullptr;
            Q_EMIT Echo_Done(result_.load());
        });
        thread_->start();
    }

private:
    static Echo_Result Ask(ULONG ip, int timeout_ms) {
        const HANDLE handle = IcmpCreateFile();
        if (handle == INVALID_HANDLE_VALUE)
            return Echo_Result::Unusable;
        std::vector<char> data(Echo_Packet_Size - Icmp_Header_Size, 'Q');
        std::vector<char> reply(sizeof(ICMP_ECHO_REPLY) + data.size() + 8 + 64);
        const DWORD count =
            IcmpSendEcho(handle, ip, data.data(), static_cast<WORD>(data.size()), nullptr,
                         reply.data(), static_cast<DWORD>(reply.size()), DWORD(timeout_ms));
        IcmpCloseHandle(handle);
        const auto* echo = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.data());
        return count > 0 && echo->Status == IP_SUCCESS && echo->DataSize > 0
                   ? Echo_Result::Reply
                   : Echo_Result::No_Reply;
    }

    void Report_Later(Echo_Result result) {
        QTimer::singleShot(0, this, [this, result] { Q_EMIT Echo_Done(result); });
    }

    QThread* thread_ = nullptr;
    std::atomic<Echo_Result> result_{Echo_Result::No_Reply};
};

#elif defined(Q_OS_UNIX)

uint16_t Internet_Checksum(const QByteArray& bytes) {
    uint32_t sum = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        sum += (uint32_t(uint8_t(bytes[i])) << 8) | uint8_t(bytes[i + 1]);
    if (bytes.size() % 2)
        sum += uint32_t(uint8_t(bytes.back())) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return uint16_t(~sum);
}

// ICMP fields are in network byte order (big-endian), whatever the host.
void Put_Network_U16(QByteArray& bytes, int offset, uint16_t value) {
    bytes[offset] = char(value >> 8);
    bytes[offset + 1] = char(value & 0xFF);
}

uint16_t Network_U16(const QByteArray& bytes, int offset) {
    return uint16_t((uint8_t(bytes[offset]) << 8) | uint8_t(bytes[offset + 1]));
}

QByteArray Echo_Request(uint16_t id, uint16_t sequence) {
    QByteArray packet(Echo_Packet_Size, 'Q');
    packet[0] = char(Icmp_Echo_Request);
    packet[1] = 0;
    Put_Network_U16(packet, 2, 0);
    Put_Network_U16(packet, 4, id);
    Put_Network_U16(packet, 6, sequence);
    Put_Network_U16(packet, 2, Internet_Checksum(packet));
    return packet;
}

/// @brief ICMP echo over a socket watched by a notifier. An ICMP datagram socket needs no
/// privilege where the system's ping group allows it; a raw socket needs root.
class Icmp_Socket_Sender final : public Echo_Sender {
public:
    Icmp_Socket_Sender() {
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] { Report(Echo_Result::No_Reply); });
    }

    ~Icmp_Socket_Sender() override {
        delete notifier_;
        if (fd_ >= 0)
            ::close(fd_);
    }

    void Send_Echo(const QString& address, int timeout_ms) override {
        in_addr target{};
        if (!Open() || inet_pton(AF_INET, address.toLatin1().constData(), &target) != 1)
            return Report_Later(Echo_Result::Unusable);
        target_ = target.s_addr;
        ++sequence_;
        const QByteArray packet = Echo_Request(id_, sequence_);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr = target;
        if (::sendto(fd_, packet.constData(), size_t(packet.size()), 0,
                     reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
            return Report_Later(Echo_Result::Unusable);
        waiting_ = true;
        timer_.start(timeout_ms);
    }

private:
    bool Open() {
        if (fd_ >= 0)
            return true;
        fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        raw_ = fd_ < 0;
        if (raw_)
            fd_ = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd_ < 0)
            return false;
        id_ = uint16_t(::getpid() ^ reinterpret_cast<uintptr_t>(this));
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { Read_Replies(); });
        return true;
    }

    void Read_Replies() {
        char buffer[Echo_Packet_Size + 128];
        for (;;) {
            sockaddr_in from{};
            socklen_t from_size = sizeof from;
            const ssize_t size = ::recvfrom(fd_, buffer, sizeof buffer, 0,
                                            reinterpret_cast<sockaddr*>(&from), &from_size);
            if (size < 0) {
                const int error = errno;
                if (error == EINTR)
                    continue;
                // A datagram socket reports an error reply (unreachable ...) as a failed read.
                if (error != EAGAIN && error != EWOULDBLOCK && !raw_)
                    Report(Echo_Result::No_Reply);
                return;
            }
            if (Is_Our_Reply(QByteArray(buffer, qsizetype(size)), from))
                Report(Echo_Result::Reply);
        }
    }

    bool Is_Our_Reply(QByteArray packet, const sockaddr_in& from) const {
        // Raw sockets (and datagram sockets on some systems) deliver the IP header too.
        if (!packet.isEmpty() && (uint8_t(packet[0]) >> 4) == 4)
            packet.remove(0, (uint8_t(packet[0]) & 0x0F) * 4);
        if (!waiting_ || packet.size() <= Icmp_Header_Size || from.sin_addr.s_addr != target_)
            return false;
        // A datagram socket's replies are its own; the kernel sets their identifier.
        return uint8_t(packet[0]) == Icmp_Echo_Reply && Network_U16(packet, 6) == sequence_ &&
               (!raw_ || Network_U16(packet, 4) == id_);
    }

    void Report(Echo_Result result) {
        if (!waiting_)
            return;
        waiting_ = false;
        timer_.stop();
        Q_EMIT Echo_Done(result);
    }

    void Report_Later(Echo_Result result) {
        QTimer::singleShot(0, this, [this, result] { Q_EMIT Echo_Done(result); });
    }

    int fd_ = -1;
    bool raw_ = false;
    QSocketNotifier* notifier_ = nullptr;
    QTimer timer_;
    uint16_t id_ = 0;
    uint16_t sequence_ = 0;
    in_addr_t target_ = 0;
    bool waiting_ = false;
};

#endif

} // namespace

std::unique_ptr<Echo_Sender> Make_System_Echo_Sender() {
#if defined(Q_OS_WIN)
    return std::make_unique<Icmp_Service_Sender>();
#elif defined(Q_OS_UNIX)
    return std::make_unique<Icmp_Socket_Sender>();
#endif
}

} // namespace image
