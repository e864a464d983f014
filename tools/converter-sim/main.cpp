// converter-sim: answers the configurator's HART network scan like the converter does, with a
// built-in plant or one read from a file, and with faults on request. Every request received
// is echoed on stdout as "<- REQUEST", so a test or a curious user can follow the exchange.

#include "plant.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QSet>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>

namespace {

struct Faults {
    bool silent = false;         // answers nothing
    bool wrong_header = false;   // record replies carry another device's header
    QSet<QByteArray> lose_first; // the first reply to each of these requests is lost
    int stray_after_ms = -1;     // a stray status datagram this long after the search starts
    int reply_delay_ms = 0;      // every reply waits this long
    QHostAddress impostor;       // another address that answers first, always wrongly
};

void Print(const QByteArray& line) {
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

/// The converter side of the scan protocol.
class Converter final : public QObject {
public:
    Converter(QList<sim::Plant_Device> plant, int running_polls, int forced_count, Faults faults)
        : plant_(std::move(plant)), running_polls_(running_polls), forced_count_(forced_count),
          faults_(std::move(faults)) {}

    bool Listen(const QHostAddress& address, quint16 port) {
        if (!socket_.bind(address, port))
            return false;
        connect(&socket_, &QUdpSocket::readyRead, this, &Converter::Read);
        if (!faults_.impostor.isNull() && !impostor_.bind(faults_.impostor, 0))
            return false;
        return true;
    }

    quint16 Port() const { return socket_.localPort(); }

private:
    void Read() {
        while (socket_.hasPendingDatagrams()) {
            const QNetworkDatagram request = socket_.receiveDatagram();
            Print("<- " + request.data());
            Answer(request);
        }
    }

    void Answer(const QNetworkDatagram& request) {
        if (faults_.silent)
            return;
        const QByteArray text = request.data();
        if (!faults_.impostor.isNull())
            impostor_.writeDatagram(QByteArray("SEARCH STATUS=00 now 0 devices (impostor)"),
                                    request.senderAddress(), quint16(request.senderPort()));
        const QByteArray reply = Reply(text);
        if (reply.isEmpty())
            return;
        if (faults_.lose_first.remove(text)) {
            Print("   (reply lost)");
            return;
        }
        Send_Later(reply, request, faults_.reply_delay_ms);
        if (text.startsWith("F_FULL_") && faults_.stray_after_ms >= 0)
            Send_Later("SEARCH STATUS=00 now 0 devices (stray)", request,
                       faults_.reply_delay_ms + faults_.stray_after_ms);
    }

    void Send_Later(const QByteArray& bytes, const QNetworkDatagram& request, int delay_ms) {
        const QHostAddress to = request.senderAddress();
        const quint16 port = quint16(request.senderPort());
        QTimer::singleShot(delay_ms, this,
                           [this, bytes, to, port] { socket_.writeDatagram(bytes, to, port); });
    }

    QByteArray Reply(const QByteArray& text) {
        if (text.startsWith("F_FULL_")) {
            requested_ = text.mid(7).toInt();
            polls_ = 0;
            return "FULL DEVICES SEARCH STARTED";
        }
        if (text == "F_TEST")
            return Status_Reply();
        if (text.startsWith("F_READ")) {
            bool ok = false;
            const int index = text.mid(6).toInt(&ok);
            return ok ? Record_Reply(index) : QByteArray();
        }
        return {};
    }

    QByteArray Status_Reply() {
        const int found = forced_count_ >= 0
                              ? forced_count_
                              : std::min<int>(int(plant_.size()), std::max(requested_, 0));
        ++polls_;
        const bool running = polls_ <= running_polls_;
        // While searching, the devices turn up one poll after the other.
        const int count = running ? std::min(found, polls_ - 1) : found;
        return QByteArray("SEARCH STATUS=") + (running ? "01" : "00") + " now " +
               QByteArray::number(count) + " devices found";
    }

    QByteArray Record_Reply(int index) {
        const int header_index = faults_.wrong_header ? index + 1 : index;
        const QByteArray header = header_index < 10
                                      ? "DEV " + QByteArray::number(header_index) + "="
                                      : "DEV" + QByteArray::number(header_index) + "=";
        const QByteArray record =
            index < plant_.size() ? sim::Device_Record(plant_[index]) : QByteArray(1000, '\0');
        return header + record;
    }

    QList<sim::Plant_Device> plant_;
    int running_polls_ = 0;
    int forced_count_ = -1;
    Faults faults_;
    QUdpSocket socket_;
    QUdpSocket impostor_;
    int requested_ = 0;
    int polls_ = 0;
};

int Int_Option(const QCommandLineParser& parser, const QString& name, int fallback, bool& ok) {
    if (!parser.isSet(name))
        return fallback;
    bool parsed = false;
    const int value = parser.value(name).toInt(&parsed);
    ok = ok && parsed && value >= 0;
    return value;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("converter-sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates the converter's side of the HART network scan over UDP.\n"
                       "Built-in plant: TT-101 (temperature), PT-201 (pressure), FT-301 (flow)."));
    parser.addHelpOption();
    parser.addOptions({
        {"address", "Address to listen on (default 127.0.0.1).", "ip", "127.0.0.1"},
        {"port", "UDP port (default 10000; 0 lets the system choose).", "port", "10000"},
        {"devices",
         "Read the plant from FILE: ADDRESS_HEX|PREAMBLE|NAME|CODE:CLASS:UNIT ... "
         "per line.",
         "file"},
        {"polls",
         "Status polls that still report a running search (default 1; more makes a "
         "slow search).",
         "n", "1"},
        {"count", "Device count to report when the search ends, whatever the plant holds.", "n"},
        {"silent", "Answer nothing at all."},
        {"wrong-header", "Answer record requests with the header of another device."},
        {"lose", "Lose the first reply to REQUEST (for example F_READ01); repeatable.", "request"},
        {"stray-after", "Send a stray status datagram MS after confirming a search.", "ms"},
        {"reply-delay", "Delay every reply by MS.", "ms", "0"},
        {"impostor", "Answer every request first, wrongly, from a second socket on IP.", "ip"},
    });
    parser.process(application);

    bool ok = true;
    Faults faults;
    faults.silent = parser.isSet(QStringLiteral("silent"));
    faults.wrong_header = parser.isSet(QStringLiteral("wrong-header"));
    for (const QString& request : parser.values(QStringLiteral("lose")))
        faults.lose_first.insert(request.toLatin1());
    faults.stray_after_ms = Int_Option(parser, QStringLiteral("stray-after"), -1, ok);
    faults.reply_delay_ms = Int_Option(parser, QStringLiteral("reply-delay"), 0, ok);
    if (parser.isSet(QStringLiteral("impostor")))
        faults.impostor = QHostAddress(parser.value(QStringLiteral("impostor")));
    const int polls = Int_Option(parser, QStringLiteral("polls"), 1, ok);
    const int count = Int_Option(parser, QStringLiteral("count"), -1, ok);
    const int port = Int_Option(parser, QStringLiteral("port"), 10000, ok);
    const QHostAddress address(parser.value(QStringLiteral("address")));
    if (!ok || port > 65535 || address.isNull()) {
        std::fputs("converter-sim: bad option value; see --help\n", stderr);
        return 2;
    }

    QList<sim::Plant_Device> plant = sim::Built_In_Plant();
    if (parser.isSet(QStringLiteral("devices"))) {
        QString error;
        if (!sim::Read_Plant_File(parser.value(QStringLiteral("devices")), plant, error)) {
            std::fprintf(stderr, "converter-sim: %s\n", qPrintable(error));
            return 1;
        }
    }

    Converter converter(plant, polls, count, faults);
    if (!converter.Listen(address, quint16(port))) {
        std::fprintf(stderr, "converter-sim: cannot listen on %s:%d\n",
                     qPrintable(address.toString()), port);
        return 1;
    }
    Print("converter-sim listening on " + address.toString().toLatin1() + ":" +
          QByteArray::number(converter.Port()) + " with " + QByteArray::number(plant.size()) +
          " devices");
    return application.exec();
}
