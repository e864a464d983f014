#include "hart/scan_engine.h"

#include "lang/string_table.h"

#include <algorithm>

namespace hart {

namespace {

constexpr int First_Status_Id = 1624;

constexpr int Str_Init_Scan = 1624;
constexpr int Str_Search_Started = 1625;
constexpr int Str_Error_Search_Started = 1626;
constexpr int Str_Search_Finished = 1627;
constexpr int Str_Search_Running = 1636;
constexpr int Str_Error_Status = 1637;
constexpr int Str_Reading_Record = 1638;
constexpr int Str_Error_Record = 1639;
constexpr int Str_Scan_Succeeded = 1640;
constexpr int Str_Scan_Failed = 1641;

constexpr char Search_Started_Reply[] = "FULL DEVICES SEARCH STARTED";
constexpr char Status_Prefix[] = "SEARCH STATUS=";
constexpr int Header_Size = 6;

/// Integer of a trimmed text; 0 when it is not one.
int Int_Or_Zero(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

QByteArray Search_Request(const QString& num_devs) {
    return "F_FULL_" + num_devs.toLatin1();
}

QByteArray Status_Request() {
    return "F_TEST";
}

QByteArray Record_Request(int index) {
    return "F_READ" + QByteArray::number(index).rightJustified(2, '0');
}

QByteArray Record_Header(int index) {
    return index < 10 ? "DEV " + QByteArray::number(index) + "="
                      : "DEV" + QByteArray::number(index) + "=";
}

Scan_Status_Reply Parse_Status_Reply(const QByteArray& datagram) {
    Scan_Status_Reply reply;
    const QString text = QString::fromLatin1(datagram);
    if (!text.startsWith(QLatin1String(Status_Prefix)))
        return reply;
    reply.valid = true;
    reply.status = Int_Or_Zero(text.mid(int(sizeof(Status_Prefix)) - 1, 2));
    const qsizetype now = text.indexOf(QLatin1String("now"));
    if (now < 0)
        return reply;
    const QString remainder = text.mid(now + 3).trimmed();
    const qsizetype blank = remainder.indexOf(u' ');
    // The count must be followed by a blank and more text.
    if (blank >= 0)
        reply.count = Int_Or_Zero(remainder.left(blank));
    return reply;
}

QString Format_Scan_Text(const QString& text, int number) {
    QString result = text;
    return result.replace(QLatin1String("%d"), QString::number(number));
}

Scan_Engine::Scan_Engine(const lang::String_Table& texts) {
    for (size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = texts.Text(First_Status_Id + int(i));
}

void Scan_Engine::Set_Status(int id) {
    Str_Return = texts_[size_t(id - First_Status_Id)];
    if (Show_Status)
        Show_Status(Str_Return);
}

void Scan_Engine::Set_Status(int id, int number) {
    Str_Return = Format_Scan_Text(texts_[size_t(id - First_Status_Id)], number);
    if (Show_Status)
        Show_Status(Str_Return);
}

void Scan_Engine::HART_Discovery(const QString& num_devs) {
    FNumDevs = num_devs;
    FNum_Devices = 0;
    UDP_Retried_CMD = 0;
    Step_Scan = Scan_Step::Start;
    FInScan = true;
    Set_Status(Str_Init_Scan);
}

void Scan_Engine::Datagram(const QByteArray& bytes) {
    switch (Step_Scan) {
    case Scan_Step::Wait_Search_Started:
    case Scan_Step::Wait_Status:
        UDP_str = bytes;
        break;
    case Scan_Step::Wait_Record: {
        // A shorter datagram keeps a short header, which never matches.
        UDP_str = bytes.left(Header_Size);
        UDP_Arr.fill(0);
        const qsizetype body =
            std::clamp<qsizetype>(bytes.size() - Header_Size, 0, Device_Record_Size);
        std::copy_n(bytes.constData() + Header_Size, body, UDP_Arr.begin());
        break;
    }
    default:
        return; // nothing awaited: dropped
    }
    Count_UDP_CMD_Timeout = 0;
    Res_UDP_CMD = true;
}

void Scan_Engine::Send_Request(Scan_Step wait_step, const QByteArray& request) {
    Step_Scan = wait_step;
    Count_UDP_CMD_Timeout = 0;
    Res_UDP_CMD = false;
    if (Send)
        Send(request);
}

void Scan_Engine::Tick() {
    if (!FInScan)
        return;
    switch (Step_Scan) {
    case Scan_Step::Idle:
        break;
    case Scan_Step::Start:
        Step_Scan = Scan_Step::Send_Search;
        break;
    case Scan_Step::Send_Search:
        Finish_succes = false;
        Send_Request(Scan_Step::Wait_Search_Started, Search_Request(FNumDevs));
        break;
    case Scan_Step::Wait_Search_Started:
        Step_Wait_Search_Started();
        break;
    case Scan_Step::Pause:
        if (++Delay_Wait_Finish >= Scan_Pause_Ticks) {
            Delay_Wait_Finish = 0;
            Step_Scan = Scan_Step::Send_Status_Query;
        }
        break;
    case Scan_Step::Send_Status_Query:
        Send_Request(Scan_Step::Wait_Status, Status_Request());
        break;
    case Scan_Step::Wait_Status:
        Step_Wait_Status();
        break;
    case Scan_Step::Send_Record_Request:
        Send_Request(Scan_Step::Wait_Record, Record_Request(Index_Device_Read));
        Set_Status(Str_Reading_Record, Index_Device_Read);
        if (Reading_Record)
            Reading_Record(Index_Device_Read, FNum_Devices);
        break;
    case Scan_Step::Wait_Record:
        Step_Wait_Record();
        break;
    case Scan_Step::Finish:
        Step_Finish();
        break;
    }
}

bool Scan_Engine::Timed_Out() {
    return ++Count_UDP_CMD_Timeout > Scan_Reply_Timeout_Ticks;
}

void Scan_Engine::Failure(Scan_Step retry_target, int error_id) {
    if (++UDP_Retried_CMD < Scan_Retry_Limit) {
        Step_Scan = retry_target;
        return;
    }
    Go_Finish_With(error_id);
}

void Scan_Engine::Go_Finish_With(int error_id) {
    Step_Scan = Scan_Step::Finish;
    Set_Status(error_id);
}

void Scan_Engine::Step_Wait_Search_Started() {
    if (!Res_UDP_CMD) {
        if (Timed_Out())
            Failure(Scan_Step::Send_Search, Str_Error_Search_Started);
        return;
    }
    if (UDP_str != Search_Started_Reply) {
        Failure(Scan_Step::Send_Search, Str_Error_Search_Started);
        return;
    }
    UDP_Retried_CMD = 0;
    Delay_Wait_Finish = 0;
    Set_Status(Str_Search_Started, 0);
    Step_Scan = Scan_Step::Pause;
}

void Scan_Engine::Step_Wait_Status() {
    if (!Res_UDP_CMD) {
        if (Timed_Out())
            Failure(Scan_Step::Send_Status_Query, Str_Error_Status);
        return;
    }
    const Scan_Status_Reply reply = Parse_Status_Reply(UDP_str);
    if (!reply.valid) {
        Failure(Scan_Step::Send_Search, Str_Error_Status);
        return;
    }
    Delay_Wait_Finish = 0;
    if (reply.status != 0) {
        Set_Status(Str_Search_Running, reply.count);
        Step_Scan = Scan_Step::Pause;
        return;
    }
    // The record table holds Device_Record_Slots devices: a count it cannot hold (or a
    // negative one) is a broken reply, and reading would run past the table.
    if (reply.count < 0 || reply.count > Device_Record_Slots) {
        Go_Finish_With(Str_Error_Record);
        return;
    }
    FNum_Devices = reply.count;
    Index_Device_Read = 0;
    UDP_Retried_CMD = 0;
    Set_Status(Str_Search_Finished, FNum_Devices);
    Step_Scan = Scan_Step::Send_Record_Request;
}

void Scan_Engine::Step_Wait_Record() {
    if (!Res_UDP_CMD) {
        if (Timed_Out())
            Failure(Scan_Step::Send_Record_Request, Str_Error_Record);
        return;
    }
    if (UDP_str != Record_Header(Index_Device_Read)) {
        Failure(Scan_Step::Send_Record_Request, Str_Error_Record);
        return;
    }
    devices[size_t(Index_Device_Read)] = UDP_Arr;
    ++Index_Device_Read;
    if (Index_Device_Read < FNum_Devices) {
        Step_Scan = Scan_Step::Send_Record_Request;
        return;
    }
    Finish_succes = true;
    Step_Scan = Scan_Step::Finish;
}

void Scan_Engine::Step_Finish() {
    const bool success = Finish_succes;
    Finish_succes = false;
    Step_Scan = Scan_Step::Idle;
    Set_Status(success ? Str_Scan_Succeeded : Str_Scan_Failed);
    if (Finished)
        Finished(success);
}

} // namespace hart
