#include "image/comm_section.h"

#include "comm/pargen_record.h"
#include "image/bank_layout.h"
#include "image/byte_order.h"
#include "project/numbers.h"
#include "project/xml_file.h"

#include <array>

namespace image {

using project::Bits;
using project::Int32_Or;
using project::Int32_Value;

namespace {

constexpr int BACnet_IP = 0;
constexpr int BACnet_MSTP = 1;

// The compile's own defaults where an element is missing or not a number; they differ from
// the dialog's in places (the MS/TP device instance, the secondary DNS server, and no
// diagnostic position).
comm::ParGen_Record Compile_Defaults() {
    comm::ParGen_Record defaults;
    defaults.Eth_Conn_Secondary_DNS = {"8", "8", "4", "4"};
    defaults.HART_Master_Diagnostic = QStringLiteral("-1");
    defaults.BACnet_Ser_DEV_IDE = QStringLiteral("0");
    return defaults;
}

constexpr std::array<uint32_t, 6> Baud_Rates{9600, 19200, 38400, 57600, 76800, 115200};

constexpr const char* Version_Text = "1.002";

// A record check box: checked only when its text is exactly "1".
bool Flag(const QString& text) {
    return text == QLatin1String("1");
}

class Comm_Encoder {
public:
    Comm_Encoder(const comm::ParGen_Record& texts, Image_State& image)
        : texts_(texts), image_(image), block_(image.Parameter_Block) {}

    void Run() {
        Put_Text(block_, bank1::Version_Text, QLatin1String(Version_Text), 8);
        Put_Text(block_, bank1::Host_Name, texts_.Eth_Conn_Device_Name, bank1::Host_Name_Chars);
        Put_U16(block_, bank1::DHCP_Flags,
                (Flag(texts_.Eth_Conn_DHCP_Cable) ? 1u : 0u) |
                    (Flag(texts_.Eth_Conn_DHCP_WiFi) ? 2u : 0u));
        if (Flag(texts_.Eth_Conn_Enable_DNS)) {
            Write_Octets(bank1::Primary_DNS, &comm::ParGen_Record::Eth_Conn_Primary_DNS);
            Write_Octets(bank1::Secondary_DNS, &comm::ParGen_Record::Eth_Conn_Secondary_DNS);
        }
        Hart_Master();
        Hart_Diagnostic();
        Network(&comm::ParGen_Record::Ethernet_IP, &comm::ParGen_Record::Ethernet_SM,
                &comm::ParGen_Record::Ethernet_GAT, texts_.Ethernet_EN_GAT);
        const int32_t type = Number(&comm::ParGen_Record::BACnet_Type);
        image_.Desc_Chars_Limit = Flag(texts_.BACnet_Desc_Chars_Limit);
        if (type == BACnet_IP)
            BACnet_IP_Settings();
        else if (type == BACnet_MSTP)
            BACnet_MSTP_Settings();
        Put_Text(block_, bank1::Web_Pages_User, texts_.Web_Pages_User,
                 bank1::Web_Pages_Login_Chars);
        Put_Text(block_, bank1::Web_Pages_Password, texts_.Web_Pages_Password,
                 bank1::Web_Pages_Login_Chars);
    }

private:
    using Text_Field = QString comm::ParGen_Record::*;
    using Octet_Field = comm::Octet_Texts comm::ParGen_Record::*;

    // The element's number, or the compile's default when its text is not one.
    int32_t Number(Text_Field field) const {
        return Int32_Value(texts_.*field).value_or(Int32_Value(defaults_.*field).value_or(0));
    }

    void Write_Octets(size_t offset, Octet_Field field) {
        const comm::Octet_Texts& octets = texts_.*field;
        const comm::Octet_Texts& fallback = defaults_.*field;
        for (size_t i = 0; i < octets.size(); ++i)
            Put_U8(block_, offset + i,
                   Bits(Int32_Value(octets[i]).value_or(Int32_Value(fallback[i]).value_or(0))));
    }

    void Network(Octet_Field ip, Octet_Field mask, Octet_Field gateway,
                 const QString& gateway_flag) {
        Write_Octets(bank1::IP_Address, ip);
        Write_Octets(bank1::Subnet_Mask, mask);
        Write_Octets(bank1::Gateway, gateway);
        if (!Flag(gateway_flag))
            Put_U32(block_, bank1::Gateway, 0xFFFFFFFF); // no gateway
    }

    void Hart_Master() {
        // The converter is always given master address 1, whatever the record holds.
        image_.Hart_Bank.address = 1;
        image_.Hart_Bank.retry_limit = Bits(comm::Get_Retry_Limit(texts_.HART_Master_Retry_Limit));
    }

    void Hart_Diagnostic() {
        uint32_t diagnostic = 0;
        if (Flag(texts_.HART_Master_Enable_Diagnostic))
            diagnostic = Bits(Number(&comm::ParGen_Record::HART_Master_Diagnostic)) + 1;
        Put_U32(block_, bank1::Hart_Diagnostic, diagnostic);
    }

    void BACnet_IP_Settings() {
        Network(&comm::ParGen_Record::BACnet_IP, &comm::ParGen_Record::BACnet_SM,
                &comm::ParGen_Record::BACnet_GAT, texts_.BACnet_EN_GAT);
        Put_U16(block_, bank1::BACnet_Port, Bits(Number(&comm::ParGen_Record::BACnet_PORT)));
        Put_Text(block_, bank1::BACnet_Device_Name, texts_.BACnet_NAME_STA,
                 bank1::BACnet_Device_Name_Chars);
        Put_U32(block_, bank1::BACnet_IP_Device_Identifier,
                Bits(Number(&comm::ParGen_Record::BACnet_DEV_IDE)));
    }

    void BACnet_MSTP_Settings() {
        const int32_t baud_index = Number(&comm::ParGen_Record::BACnet_Ser_Baudrate);
        const uint32_t baud = (baud_index >= 0 && baud_index < int32_t(Baud_Rates.size()))
                                  ? Baud_Rates[static_cast<size_t>(baud_index)]
                                  : Baud_Rates[0];
        Put_U32(block_, bank1::MSTP_Baud, baud);
        Put_U32(block_, bank1::MSTP_Baud_Copy, baud);
        const uint32_t parity = Parity_Code(Number(&comm::ParGen_Record::BACnet_Ser_Parity));
        Put_U8(block_, bank1::MSTP_Parity, parity);
        Put_U8(block_, bank1::MSTP_Parity_Copy, parity);
        Put_U8(block_, bank1::MSTP_MAC_Address, Bits(Number(&comm::ParGen_Record::BACnet_Ser_ID)));
        Put_Text(block_, bank1::BACnet_Device_Name, texts_.BACnet_Ser_NAME_STA,
                 bank1::BACnet_Device_Name_Chars);
        Put_U8(block_, bank1::MSTP_Max_Master,
               Bits(Number(&comm::ParGen_Record::BACnet_Ser_Max_Master)));
        Put_U8(block_, bank1::MSTP_Max_Info_Frames,
               Bits(Number(&comm::ParGen_Record::BACnet_Ser_Max_Info_Frames)));
        Put_U32(block_, bank1::MSTP_Device_Instance,
                Bits(Number(&comm::ParGen_Record::BACnet_Ser_DEV_IDE)));
        Put_U16(block_, bank1::MSTP_Network,
                Bits(Number(&comm::ParGen_Record::BACnet_Ser_Network)));
    }

    // Drop-down position NONE, ODD, EVEN to the converter's parity code; other positions
    // were refused before the encoding started.
    static uint32_t Parity_Code(int32_t index) {
        switch (index) {
        case 1:
            return 2; // odd
        case 2:
            return 1; // even
        default:
            return 0; // none
        }
    }

    const comm::ParGen_Record& texts_;
    const comm::ParGen_Record defaults_ = Compile_Defaults();
    Image_State& image_;
    std::span<uint8_t> block_;
};

} // namespace

QString Build_Comm_Section(const QString& path, Image_State& image) {
    comm::ParGen_Record texts;
    QString error;
    if (comm::Load_ParGen_Texts(path, Compile_Defaults(), texts, error) !=
        project::Load_Status::Loaded)
        return error; // empty when the file is missing
    const QString refused = comm::Check_Choice_Positions(texts, path);
    if (!refused.isEmpty())
        return refused;
    Comm_Encoder(texts, image).Run();
    return {};
}

} // namespace image
