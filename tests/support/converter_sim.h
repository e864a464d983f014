#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

/// @brief Runs the built converter simulator (path from QUILLON_SIM) on 127.0.0.1 and a port
/// the system chooses, and records the requests it received ("F_FULL_64", ...).
class Converter_Sim {
public:
    Converter_Sim() = default;
    Converter_Sim(const Converter_Sim&) = delete;
    Converter_Sim& operator=(const Converter_Sim&) = delete;
    ~Converter_Sim() {
        process_.kill();
        process_.waitForFinished(5000);
    }

    /// Starts it with @p options; false when it did not come up.
    bool Start(const QStringList& options = {}) {
        process_.start(qEnvironmentVariable("QUILLON_SIM"),
                       QStringList{"--address", "127.0.0.1", "--port", "0"} + options);
        if (!process_.waitForStarted(10000))
            return false;
        while (process_.waitForReadyRead(10000)) {
            if (!process_.canReadLine())
                continue;
            const QByteArray line = process_.readLine().trimmed();
            const qsizetype colon = line.lastIndexOf(':');
            port_ = quint16(line.mid(colon + 1, line.indexOf(' ', colon) - colon - 1).toUInt());
            return line.startsWith("converter-sim listening on") && port_ != 0;
        }
        return false;
    }

    quint16 Port() const { return port_; }

    /// The requests received so far, in order.
    QStringList Requests() {
        // Takes in what reached the pipe even while no event loop has run.
        while (process_.waitForReadyRead(0)) {
        }
        while (process_.canReadLine()) {
            const QByteArray line = process_.readLine().trimmed();
            if (line.startsWith("<- "))
                requests_ << QString::fromLatin1(line.mid(3));
        }
        return requests_;
    }

private:
    QProcess process_;
    quint16 port_ = 0;
    QStringList requests_;
};
