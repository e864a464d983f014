#pragma once

#include "project/xml_file.h"

#include <QString>
#include <QStringList>

#include <array>
#include <string>

namespace comm {

/// Four octet texts of one address, first octet first (elements named <base>1 .. <base>4).
using Octet_Texts = std::array<QString, 4>;

/// @brief The communication settings of a project (`ParGen.xml`): its 57 element texts.
/// Members are named after their elements; octet groups hold four elements each.
/// The initial values are the dialog defaults.
struct ParGen_Record {
    QString Eth_Conn_Device_Name;
    QString Eth_Conn_DHCP_Cable = QStringLiteral("0");
    QString Eth_Conn_DHCP_WiFi = QStringLiteral("0");
    QString Eth_Conn_Enable_DNS = QStringLiteral("0");
    Octet_Texts Eth_Conn_Primary_DNS{"8", "8", "8", "8"};
    Octet_Texts Eth_Conn_Secondary_DNS{"8", "8", "8", "8"};
    QString HART_Master_Address = QStringLiteral("Primary Master");
    QString HART_Master_Retry_Limit = QStringLiteral("2");
    QString HART_Master_Enable_Diagnostic = QStringLiteral("0");
    QString HART_Master_Diagnostic = QStringLiteral("0");
    Octet_Texts Ethernet_IP{"192", "168", "0", "10"};
    Octet_Texts Ethernet_SM{"255", "255", "255", "0"};
    Octet_Texts Ethernet_GAT{"192", "168", "0", "1"};
    QString Ethernet_EN_GAT = QStringLiteral("0");
    QString BACnet_Type = QStringLiteral("0");
    Octet_Texts BACnet_IP{"192", "168", "0", "5"};
    Octet_Texts BACnet_SM{"255", "255", "255", "0"};
    Octet_Texts BACnet_GAT{"192", "168", "0", "1"};
    QString BACnet_EN_GAT = QStringLiteral("0");
    QString BACnet_PORT = QStringLiteral("47808");
    QString BACnet_NAME_STA = QStringLiteral("devicename1");
    QString BACnet_DEV_IDE = QStringLiteral("1");
    QString BACnet_Ser_Baudrate = QStringLiteral("3");
    QString BACnet_Ser_Parity = QStringLiteral("0");
    QString BACnet_Ser_ID = QStringLiteral("0");
    QString BACnet_Ser_NAME_STA = QStringLiteral("devicename1");
    QString BACnet_Ser_Max_Master = QStringLiteral("1");
    QString BACnet_Ser_Max_Info_Frames = QStringLiteral("1");
    QString BACnet_Ser_DEV_IDE = QStringLiteral("1");
    QString BACnet_Ser_Network = QStringLiteral("1");
    QString BACnet_Desc_Chars_Limit = QStringLiteral("0");
    QString Web_Pages_User;
    QString Web_Pages_Password;

    bool operator==(const ParGen_Record&) const = default;
};

/// Root element of `ParGen.xml`.
inline constexpr const char* ParGen_Root = "Par_Gen";
/// Number of elements of a saved file.
inline constexpr int ParGen_Element_Count = 57;

// Fixed drop-down lists; their texts are never translated.
const QStringList& Master_Address_Items(); // "Primary Master", "Secondary Master"
const QStringList& Retry_Limit_Items();    // "2" .. "5"
const QStringList& BACnet_Type_Items();    // "BACnet/IP", "BACnet MS/TP"
const QStringList& Baudrate_Items();       // "9600" .. "115200"
const QStringList& Parity_Items();         // "NONE", "ODD", "EVEN"

/// HART master address text to 0 (primary) or 1 ("secondary master", any case, blanks around).
int Get_Master_Address(const QString& text);
/// HART retry-limit text to 0..3: "2" gives 0 ... "5" gives 3, anything else 0.
int Get_Retry_Limit(const QString& text);

/// @brief Calls @p visit(element_name, text) for the 57 elements in file order.
/// Works on a const or a mutable record (text is then a QString&).
template <class Record, class Visitor> void Visit_ParGen_Elements(Record& record, Visitor&& visit) {
    auto octets = [&](const char* base, auto& group) {
        for (int i = 0; i < 4; ++i)
            visit(std::string(base) + char('1' + i), group[static_cast<size_t>(i)]);
    };
    visit(std::string("Eth_Conn_Device_Name"), record.Eth_Conn_Device_Name);
    visit(std::string("Eth_Conn_DHCP_Cable"), record.Eth_Conn_DHCP_Cable);
    visit(std::string("Eth_Conn_DHCP_WiFi"), record.Eth_Conn_DHCP_WiFi);
    visit(std::string("Eth_Conn_Enable_DNS"), record.Eth_Conn_Enable_DNS);
    octets("Eth_Conn_Primary_DNS", record.Eth_Conn_Primary_DNS);
    octets("Eth_Conn_Secondary_DNS", record.Eth_Conn_Secondary_DNS);
    visit(std::string("HART_Master_Address"), record.HART_Master_Address);
    visit(std::string("HART_Master_Retry_Limit"), record.HART_Master_Retry_Limit);
    visit(std::string("HART_Master_Enable_Diagnostic"), record.HART_Master_Enable_Diagnostic);
    visit(std::string("HART_Master_Diagnostic"), record.HART_Master_Diagnostic);
    octets("Ethernet_IP", record.Ethernet_IP);
    octets("Ethernet_SM", record.Ethernet_SM);
    octets("Ethernet_GAT", record.Ethernet_GAT);
    visit(std::string("Ethernet_EN_GAT"), record.Ethernet_EN_GAT);
    visit(std::string("BACnet_Type"), record.BACnet_Type);
    octets("BACnet_IP", record.BACnet_IP);
    octets("BACnet_SM", record.BACnet_SM);
    octets("BACnet_GAT", record.BACnet_GAT);
    visit(std::string("BACnet_EN_GAT"), record.BACnet_EN_GAT);
    visit(std::string("BACnet_PORT"), record.BACnet_PORT);
    visit(std::string("BACnet_NAME_STA"), record.BACnet_NAME_STA);
    visit(std::string("BACnet_DEV_IDE"), record.BACnet_DEV_IDE);
    visit(std::string("BACnet_Ser_Baudrate"), record.BACnet_Ser_Baudrate);
    visit(std::string("BACnet_Ser_Parity"), record.BACnet_Ser_Parity);
    visit(std::string("BACnet_Ser_ID"), record.BACnet_Ser_ID);
    visit(std::string("BACnet_Ser_NAME_STA"), record.BACnet_Ser_NAME_STA);
    visit(std::string("BACnet_Ser_Max_Master"), record.BACnet_Ser_Max_Master);
    visit(std::string("BACnet_Ser_Max_Info_Frames"), record.BACnet_Ser_Max_Info_Frames);
    visit(std::string("BACnet_Ser_DEV_IDE"), record.BACnet_Ser_DEV_IDE);
    visit(std::string("BACnet_Ser_Network"), record.BACnet_Ser_Network);
    visit(std::string("BACnet_Desc_Chars_Limit"), record.BACnet_Desc_Chars_Limit);
    visit(std::string("Web_Pages_User"), record.Web_Pages_User);
    visit(std::string("Web_Pages_Password"), record.Web_Pages_Password);
}

/// The 57 element names in file order.
QStringList ParGen_Element_Names();

/// @brief Reads every element's text as it stands, each on its own; a missing element takes
/// the value of @p defaults. Nothing is converted: readers with their own defaults and
/// conversions (the compile) start from here.
ParGen_Record Read_ParGen_Texts(pugi::xml_node root, const ParGen_Record& defaults);

/// @brief The one reader of the file: every element's text as it stands, a missing element
/// taking the value of @p defaults (the whole record when the file is missing).
/// Failed: @p error names the file and the reason and @p texts is left unchanged.
project::Load_Status Load_ParGen_Texts(const QString& path, const ParGen_Record& defaults,
                                       ParGen_Record& texts, QString& error);

/// @brief Refuses drop-down positions the converter has no reading for: a BACnet_Type number
/// other than 0 (BACnet/IP) or 1 (MS/TP), and a BACnet_Ser_Parity number outside 0..2. Text
/// that is not a number keeps its default and a baud position outside its list gives 9600, so
/// neither is refused. Empty when the positions are usable, else the message naming the file,
/// the element and the value. The project check and the compile both ask it.
QString Check_Choice_Positions(const ParGen_Record& texts, const QString& path);

/// @brief Loads the file as the dialog shows it. Missing file: dialog defaults.
/// Read-with-default per element, then: flags become "1"/"0"; the master address and the
/// retry limit become their item texts; index fields that are not a number or lie outside
/// their list take the dialog default; the Wi-Fi DHCP flag is not read ("0").
/// Failed: @p error names the file and the reason and @p record is left unchanged.
project::Load_Status Load_ParGen(const QString& path, ParGen_Record& record, QString& error);

/// Applies the dialog's reading rules to texts read as they stand (see Load_ParGen).
ParGen_Record Normalise_For_Dialog(const ParGen_Record& texts);

/// @brief Writes the 57 elements in order after the version comment, atomically. The Wi-Fi
/// DHCP flag is always written "0". Empty text on success, else the message to show.
QString Save_ParGen(const ParGen_Record& record, const QString& path);

/// True when the BACnet type is MS/TP (exactly "1"; a dialog-loaded record holds "0" or "1").
bool Is_BACnet_MSTP(const ParGen_Record& record);

} // namespace comm
