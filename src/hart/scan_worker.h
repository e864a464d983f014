#pragma once

#include "hart/scan_engine.h"
#include "lang/string_table.h"

#include <QHostAddress>
#include <QList>
#include <QObject>

#include <memory>

class QThread;
class QTimer;
class QUdpSocket;

namespace hart {

/// Where and how fast the scan talks to the converter. The defaults are the converter's;
/// tests shorten the tick and use a simulator's port.
struct Scan_Options {
    quint16 port = Converter_Scan_Port;
    int tick_ms = Scan_Tick_Ms;
};

/// @brief Runs the scan engine on its own thread: owns the UDP socket (bound to a system-chosen
/// port on all interfaces) and the tick timer. Only datagrams from the address the requests
/// go to are taken as replies. Talk to it only through queued calls and its signals.
class Scan_Worker final : public QObject {
    Q_OBJECT
public:
    Scan_Worker(const lang::String_Table& texts, const Scan_Options& options);
    ~Scan_Worker() override;

    /// Creates the socket and the timer; call on the worker's thread.
    void Open();
    /// Starts a scan of the converter at @p ip_address asking for @p num_devs devices.
    void HART_Discovery(const QString& ip_address, const QString& num_devs);

Q_SIGNALS:
    void Status_Changed(const QString& text);
    /// Record @p index of @p count is being read.
    void Record_Progress(int index, int count);
    /// All records read: the first @p num_devices records.
    void Scan_Succeeded(const QList<hart::Device_Record>& records, int num_devices);
    void Scan_Failed();

private:
    void Read_Datagrams();
    void Send(const QByteArray& request);
    void Finished(bool success);

    Scan_Engine engine_;
    Scan_Options options_;
    QHostAddress converter_;
    QUdpSocket* socket_ = nullptr;
    QTimer* timer_ = nullptr;
};

/// @brief One scan thread: starts a Scan_Worker on a new QThread, forwards its signals to the
/// owner's thread and, when destroyed, stops the thread and waits for it. The last scan's
/// results reach the owner through the signals, so they outlive the thread.
class Scan_Thread final : public QObject {
    Q_OBJECT
public:
    explicit Scan_Thread(const lang::String_Table& texts, const Scan_Options& options = {},
                         QObject* parent = nullptr);
    ~Scan_Thread() override;

    Scan_Thread(const Scan_Thread&) = delete;
    Scan_Thread& operator=(const Scan_Thread&) = delete;

    void HART_Discovery(const QString& ip_address, const QString& num_devs);

Q_SIGNALS:
    void Status_Changed(const QString& text);
    void Record_Progress(int index, int count);
    void Scan_Succeeded(const QList<hart::Device_Record>& records, int num_devices);
    void Scan_Failed();

private:
    QThread* thread_ = nullptr;
    Scan_Worker* worker_ = nullptr;
};

} // namespace hart

Q_DECLARE_METATYPE(hart::Device_Record)
