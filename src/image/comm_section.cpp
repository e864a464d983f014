#include "image/comm_section.h"

#include "comm/pargen_record.h"
#include "image/bank_layout.h"
#include "image/byte_order.h"
#include "image/text_numbers.h"
#include "project/xml_file.h"

#include <array>

namespace image {

namespace {

constexpr int BACnet_IP = 0;
constexpr int BACnet_MSTP = 1;

// The compile's own defaults where an element is missing or not a number; they differ from
// the dialog's in places (the MS/TP device instance, the secondary DNS server).
struct Octet_Field {
    const char* element;
    int32_t fallback;
};
using Octets = std::array<Octet_Field, 4>;

constexpr Octets Ethernet_IP{
    {{"Ethernet_IP1", 192}, {"Ethernet_IP2", 168}, {"Ethernet_IP3", 0}, {"Ethernet_IP4", 10}}};
constexpr Octets Ethernet_SM{
    {{"Ethernet_SM1", 255}, {"Ethernet_SM2", 255}, {"Ethernet_SM3", 255}, {"Ethernet_SM4", 0}}};
constexpr Octets Ethernet_GAT{
    {{"Ethernet_GAT1", 192}, {"Ethernet_GAT2", 168}, {"Ethernet_GAT3", 0}, {"Ethernet_GAT4", 1}}};
constexpr Octets BACnet_IP_Address{
    {{"BACnet_IP1", 192}, {"BACnet_IP2", 168}, {"BACnet_IP3", 0}, {"BACnet_IP4", 5}}};
constexpr Octets BACnet_SM{
    {{"BACnet_SM1", 255}, {"BACnet_SM2", 255}, {"BACnet_SM3", 255}, {"BACnet_SM4", 0}}};
constexpr Octets BACnet_GAT{
    {{"BACnet_GAT1", 192}, {"BACnet_GAT2", 168}, {"BACnet_GAT3", 0}, {"BACnet_GAT4", 1}}};
constexpr Octets Primary_DNS{{{"Eth_Conn_Primary_DNS1", 8},
                              {"Eth_Conn_Primary_DNS2", 8},
                              {"Eth_Conn_Primary_DNS3", 8},
                              {"Eth_Conn_Primary_DNS4", 8}}};
constexpr Octets Secondary_DNS{{{"Eth_Conn_Secondary_DNS1", 8},
                                {"Eth_Conn_Secondary_DNS2", 8},
                                {"Eth_Conn_Secondary_DNS3", 4},
                                {"Eth_Conn_Secondary_DNS4", 4}}};

constexpr std::array<uint32_t, 6> Baud_Rates{9600, 19200, 38400, 57600, 76800, 115200};

constexpr const char* Version_Text = "1.002";

class Comm_Encoder {
public:
    Comm_Encoder(pugi::xml_node root, Image_State& image)
        : root_(root), image_(image), block_(image.Parameter_Block) {}

    void Run() {
        Put_Text(block_, bank1::Version_Text, QLatin1String(Version_Text), 8);
        Text(bank1::Host_Name, "Eth_Conn_Device_Name", bank1::Host_Name_Chars);
        Put_U16(block_, bank1::DHCP_Flags,
                (Flag("Eth_Conn_DHCP_Cable") ? 1u : 0u) | (Flag("Eth_Conn_DHCP_WiFi") ? 2u : 0u));
        if (Flag("Eth_Conn_Enable_DNS")) {
            Write_Octets(bank1::Primary_DNS, Primary_DNS);
            Write_Octets(bank1::Secondary_DNS, Secondary_DNS);
        }
        Hart_Master();
        Hart_Diagnostic();
        Network(Ethernet_IP, Ethernet_SM, Ethernet_GAT, "Ethernet_EN_GAT");
        const int32_t type = Number("BACnet_Type", BACnet_IP);
        image_.Desc_Chars_Limit = Flag("BACnet_Desc_Chars_Limit");
        if (type == BACnet_IP)
            BACnet_IP_Settings();
        else if (type == BACnet_MSTP)
            BACnet_MSTP_Settings();
        Text(bank1::Web_Pages_User, "Web_Pages_User", bank1::Web_Pages_Login_Chars);
        Text(bank1::Web_Pages_Password, "Web_Pages_Password", bank1::Web_Pages_Login_Chars);
    }

private:
    int32_t Number(const char* element, int32_t fallback) const {
        const pugi::xml_node node = project::Child(root_, element);
        if (!node)
            return fallback;
        return Int32_Value(project::To_QString(node.child_value())).value_or(fallback);
    }
    bool Flag(const char* element) const { return project::Child_Flag(root_, element); }

    void Text(size_t offset, const char* element, size_t max_chars,
              const QString& fallback = QString()) {
        Put_Text(block_, offset, project::Child_Text(root_, element, fallback), max_chars);
    }

    void Write_Octets(size_t offset, const Octets& fields) {
        for (size_t i = 0; i < fields.size(); ++i)
            Put_U8(block_, offset + i, Bits(Number(fields[i].element, fields[i].fallback)));
    }

    void Network(const Octets& ip, const Octets& mask, const Octets& gateway,
                 const char* gateway_flag) {
        Write_Octets(bank1::IP_Address, ip);
        Write_Octets(bank1::Subnet_Mask, mask);
        Write_Octets(bank1::Gateway, gateway);
        if (!Flag(gateway_flag))
            Put_U32(block_, bank1::Gateway, 0xFFFFFFFF); // no gateway
    }

    void Hart_Master() {
        // The converter is always given master address 1, whatever the record holds.
        (void)comm::Get_Master_Address(project::Child_Text(root_, "HART_Master_Address", {}));
        image_.Hart_Bank.address = 1;
        const pugi::xml_node retry = project::Child(root_, "HART_Master_Retry_Limit");
        image_.Hart_Bank.retry_limit =
            retry ? Bits(comm::Get_Retry_Limit(project::To_QString(retry.child_value()))) : 0;
    }

    void Hart_Diagnostic() {
        uint32_t diagnostic = 0;
        if (Flag("HART_Master_Enable_Diagnostic"))
            diagnostic = Bits(Number("HART_Master_Diagnostic", -1)) + 1;
        Put_U32(block_, bank1::Hart_Diagnostic, diagnostic);
    }

    void BACnet_IP_Settings() {
        Network(BACnet_IP_Address, BACnet_SM, BACnet_GAT, "BACnet_EN_GAT");
        Put_U16(block_, bank1::BACnet_Port, Bits(Number("BACnet_PORT", 47808)));
        Text(bank1::BACnet_Device_Name, "BACnet_NAME_STA", bank1::BACnet_Device_Name_Chars,
             QStringLiteral("devicename1"));
        Put_U32(block_, bank1::BACnet_IP_Device_Identifier, Bits(Number("BACnet_DEV_IDE", 1)));
    }

    void BACnet_MSTP_Settings() {
        const int32_t baud_index = Number("BACnet_Ser_Baudrate", 3);
        const uint32_t baud = (baud_index >= 0 && baud_index < int32_t(Baud_Rates.size()))
                                  ? Baud_Rates[static_cast<size_t>(baud_index)]
                                  : Baud_Rates[0];
        Put_U32(block_, bank1::MSTP_Baud, baud);
        Put_U32(block_, bank1::MSTP_Baud_Copy, baud);
        const uint32_t parity = Parity_Code(Number("BACnet_Ser_Parity", 0));
        Put_U8(block_, bank1::MSTP_Parity, parity);
        Put_U8(block_, bank1::MSTP_Parity_Copy, parity);
        Put_U8(block_, bank1::MSTP_MAC_Address, Bits(Number("BACnet_Ser_ID", 0)));
        Text(bank1::BACnet_Device_Name, "BACnet_Ser_NAME_STA", bank1::BACnet_Device_Name_Chars,
             QStringLiteral("devicename1"));
        Put_U8(block_, bank1::MSTP_Max_Master, Bits(Number("BACnet_Ser_Max_Master", 1)));
        Put_U8(block_, bank1::MSTP_Max_Info_Frames, Bits(Number("BACnet_Ser_Max_Info_Frames", 1)));
        Put_U32(block_, bank1::MSTP_Device_Instance, Bits(Number("BACnet_Ser_DEV_IDE", 0)));
        Put_U16(block_, bank1::MSTP_Network, Bits(Number("BACnet_Ser_Network", 1)));
    }

    // Drop-down position NONE, ODD, EVEN to the converter's parity code.
    static uint32_t Parity_Code(int32_t index) {
        switch (index) {
        case 1:
            return 2; // odd
        case 2:
            return 1; // even
        default:
            return Bits(index); // 0 = none
        }
    }

    pugi::xml_node root_;
    Image_State& image_;
    std::span<uint8_t> block_;
};

} // namespace

QString Build_Comm_Section(const QString& path, Image_State& image) {
    pugi::xml_document doc;
    QString error;
    const project::Load_Status status = project::Load_Xml_File(path, doc, error);
    if (status != project::Load_Status::Loaded)
        return error; // empty when the file is missing
    Comm_Encoder(project::Root_Node(doc), image).Run();
    return {};
}

} // namespace image
