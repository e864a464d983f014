#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>

namespace lang {
class String_Table;
}

namespace hart {

/// States of the scan; the numbers are the stored values.
enum class Scan_Step : int {
    Idle = 0,
    Start = 1,
    Send_Search = 2,
    Wait_Search_Started = 3,
    Pause = 4,
    Send_Status_Query = 5,
    Wait_Status = 6,
    Send_Record_Request = 8,
    Wait_Record = 9,
    Finish = 101,
};

/// More ticks than this without a reply count as a failure.
inline constexpr int Scan_Reply_Timeout_Ticks = 100;
/// Failures that end a phase of the scan.
inline constexpr int Scan_Retry_Limit = 3;
/// Ticks between two status polls.
inline constexpr int Scan_Pause_Ticks = 100;
/// Length of one tick in milliseconds.
inline constexpr int Scan_Tick_Ms = 10;
/// UDP port the converter listens on for scan requests.
inline constexpr quint16 Converter_Scan_Port = 10000;
/// Size of the information record the converter keeps per device.
inline constexpr int Device_Record_Size = 1000;
/// Number of device records the scan can hold.
inline constexpr int Device_Record_Slots = 100;

using Device_Record = std::array<quint8, Device_Record_Size>;

/// The parsed reply to "F_TEST".
struct Scan_Status_Reply {
    bool valid = false; // starts with "SEARCH STATUS="
    int status = 0;     // 0: the search has finished
    int count = 0;      // devices found so far
};

/// "F_FULL_" followed by the device-count text ("01" .. "64").
QByteArray Search_Request(const QString& num_devs);
/// "F_TEST".
QByteArray Status_Request();
/// "F_READ" followed by @p index with at least two digits.
QByteArray Record_Request(int index);
/// The 6-character header of the record reply for @p index: "DEV 7=", "DEV12=".
QByteArray Record_Header(int index);
/// Reads a status reply: status from the two characters after "=", count after "now".
Scan_Status_Reply Parse_Status_Reply(const QByteArray& datagram);
/// A status text with "%d" replaced by @p number.
QString Format_Scan_Text(const QString& text, int number);

/// @brief The scan protocol with the converter, without sockets or timers: the owner feeds
/// it the datagrams that came from the converter (`Datagram`) and one `Tick` every
/// Scan_Tick_Ms, and it answers through the callbacks. Every callback runs inside
/// `Tick` or `HART_Discovery`, on the owner's thread.
class Scan_Engine {
public:
    /// Texts come from @p texts; the engine keeps its own copy of the ones it needs.
    explicit Scan_Engine(const lang::String_Table& texts);

    /// Sends a request to the converter.
    std::function<void(const QByteArray& request)> Send;
    /// A new status text (`Str_Return`) to show.
    std::function<void(const QString& text)> Show_Status;
    /// Record @p index of @p count is being requested.
    std::function<void(int index, int count)> Reading_Record;
    /// The scan ended: with all records read (@p success), or with errors.
    std::function<void(bool success)> Finished;

    /// Starts a new scan asking for @p num_devs devices ("01" .. "64").
    void HART_Discovery(const QString& num_devs);
    /// One pass of the state machine.
    void Tick();
    /// A datagram from the converter; taken only while a reply is awaited.
    void Datagram(const QByteArray& bytes);

    Scan_Step Step() const { return Step_Scan; }
    bool InScan() const { return FInScan; }
    /// Devices the converter reported in its last finished search.
    int Num_Devices() const { return FNum_Devices; }
    const QString& Status_Text() const { return Str_Return; }
    /// The device records, index 0..99; a record keeps its bytes until a scan overwrites it.
    const std::array<Device_Record, Device_Record_Slots>& Devices() const { return devices; }

private:
    void Step_Wait_Search_Started();
    void Step_Wait_Status();
    void Step_Wait_Record();
    void Step_Finish();
    /// A wrong reply or a timeout: retry at @p retry_target, or end with @p error_id.
    void Failure(Scan_Step retry_target, int error_id);
    /// Counts one tick without reply; true when it exceeds the reply timeout.
    bool Timed_Out();
    void Send_Request(Scan_Step wait_step, const QByteArray& request);
    void Set_Status(int id);
    void Set_Status(int id, int number);
    void Go_Finish_With(int error_id);

    /// Status texts 1624..1641 of the string table.
    std::array<QString, 18> texts_;

    bool FInScan = false;
    QString FNumDevs;
    Scan_Step Step_Scan = Scan_Step::Idle;
    QString Str_Return;
    int Count_UDP_CMD_Timeout = 0;
    bool Res_UDP_CMD = false;
    QByteArray UDP_str;
    int UDP_Retried_CMD = 0;
    int Delay_Wait_Finish = 0;
    int FNum_Devices = 0;
    int Index_Device_Read = 0;
    Device_Record UDP_Arr{};
    bool Finish_succes = false;
    std::array<Device_Record, Device_Record_Slots> devices{};
};

} // namespace hart
