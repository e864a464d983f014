#include "comm/pargen_validation.h"

#include "project/numbers.h"
#include "project/project_paths.h"

#include <QDir>

#include <optional>

namespace comm {

namespace {

// The text of a box as a number; anything that is not an integer counts as -1 and so fails
// every range.
qint64 Box_Value(const QString& text) {
    return project::Parse_Decimal(text).value_or(-1);
}

bool In_Range(const QString& text, qint64 low, qint64 high) {
    const qint64 value = Box_Value(text);
    return value >= low && value <= high;
}

// First octet outside 0..255: the message id of that octet (first_id + position).
std::optional<int> Bad_Octet(const Octet_Texts& octets, int first_id) {
    for (int i = 0; i < 4; ++i)
        if (!In_Range(octets[static_cast<size_t>(i)], 0, 255))
            return first_id + i;
    return std::nullopt;
}

bool Checked(const QString& flag) {
    return flag == u'1';
}

constexpr qint64 Last_Diagnostic_Position = 1438;
constexpr qint64 Last_Device_Instance = 4194303;

constexpr int Diagnostic_Message = 981; // the box shows the last valid position after it

std::optional<int> Common_Failure(const ParGen_Record& record) {
    std::optional<int> failed;
    if (Checked(record.Eth_Conn_Enable_DNS)) {
        if ((failed = Bad_Octet(record.Eth_Conn_Primary_DNS, 957)))
            return failed;
        if ((failed = Bad_Octet(record.Eth_Conn_Secondary_DNS, 961)))
            return failed;
    }
    if (Checked(record.HART_Master_Enable_Diagnostic) &&
        !In_Range(record.HART_Master_Diagnostic, 0, Last_Diagnostic_Position))
        return Diagnostic_Message;
    if ((failed = Bad_Octet(record.Ethernet_IP, 801)))
        return failed;
    if ((failed = Bad_Octet(record.Ethernet_SM, 805)))
        return failed;
    if (Checked(record.Ethernet_EN_GAT) && (failed = Bad_Octet(record.Ethernet_GAT, 809)))
        return failed;
    return std::nullopt;
}

std::optional<int> MSTP_Failure(const ParGen_Record& record) {
    if (Check_Device_Name(record.BACnet_Ser_NAME_STA))
        return 792;
    if (!In_Range(record.BACnet_Ser_ID, 0, 127))
        return 793;
    if (!In_Range(record.BACnet_Ser_Max_Master, 1, 127))
        return 794;
    if (!In_Range(record.BACnet_Ser_Max_Info_Frames, 1, 100))
        return 795;
    if (!In_Range(record.BACnet_Ser_DEV_IDE, 0, Last_Device_Instance))
        return 796;
    if (!In_Range(record.BACnet_Ser_Network, 1, 65534))
        return 797;
    return std::nullopt;
}

std::optional<int> IP_Failure(const ParGen_Record& record) {
    std::optional<int> failed;
    if ((failed = Bad_Octet(record.BACnet_IP, 777)))
        return failed;
    if ((failed = Bad_Octet(record.BACnet_SM, 781)))
        return failed;
    if (Checked(record.BACnet_EN_GAT) && (failed = Bad_Octet(record.BACnet_GAT, 785)))
        return failed;
    const qint64 port = Box_Value(record.BACnet_PORT);
    if (port < 0 || port > 65535 || port == 10000 || port == 10001) // the converter's own ports
        return 789;
    if (Check_Device_Name(record.BACnet_NAME_STA))
        return 790;
    if (!In_Range(record.BACnet_DEV_IDE, 0, Last_Device_Instance))
        return 791;
    return std::nullopt;
}

} // namespace

bool Check_Device_Name(const QString& text) {
    for (const QChar c : text) {
        const bool allowed =
            (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if (!allowed)
            return true;
    }
    return false;
}

std::optional<int> First_Failing_Check(const ParGen_Record& record) {
    if (const std::optional<int> failed = Common_Failure(record))
        return failed;
    return Is_BACnet_MSTP(record) ? MSTP_Failure(record) : IP_Failure(record);
}

QString Controllo_Dati(const ParGen_Record& record, const lang::String_Table& texts) {
    const std::optional<int> failed = First_Failing_Check(record);
    if (!failed)
        return QString();
    if (*failed == Diagnostic_Message)
        return texts.Text(*failed) + QString::number(Last_Diagnostic_Position);
    return texts.Text(*failed);
}

QString Check_Communication_Settings(const QString& project_folder) {
    ParGen_Record texts;
    QString error;
    const QString path = project::Project_Paths::In_Folder(project_folder).ParGen_File;
    switch (Load_ParGen_Texts(path, ParGen_Record(), texts, error)) {
    case project::Load_Status::Missing:
        return QString();
    case project::Load_Status::Failed:
        return error;
    case project::Load_Status::Loaded:
        break;
    }
    const QString refused = Check_Choice_Positions(texts, path);
    if (!refused.isEmpty())
        return refused;
    return Controllo_Dati(Normalise_For_Dialog(texts), lang::String_Table());
}

} // namespace comm
