#pragma once

#include "bacnet/bacnet_object_types.h"

#include <cstddef>
#include <cstdint>

namespace image {

// Where the updater places the images in the converter's memory.
inline constexpr uint32_t Bank2_Device_Address = 0x80000;
inline constexpr uint32_t Hart_Bank_Device_Address = 0x90800;
inline constexpr uint32_t Web_Pages_Device_Address = 0xC0000;

inline constexpr size_t Parameter_Block_Size = 2048;
inline constexpr size_t Bank1_Capacity = 131072;
inline constexpr size_t Bank2_Capacity = 524288;
/// Bank 2 must end before the web-pages image that the updater places after it.
inline constexpr size_t Bank2_Room = Web_Pages_Device_Address - Bank2_Device_Address;
static_assert(Bank2_Room <= Bank2_Capacity);

inline constexpr size_t BACnet_Object_Slots = 2048;
inline constexpr size_t BACnet_Record_Size = 16;
inline constexpr size_t Description_Area_Size = 0x8800;
/// The BACnet object area always ends here; the HART bank follows.
inline constexpr size_t BACnet_Area_Size = 0x10800;
inline constexpr size_t Object_Type_Count = 19;

inline constexpr size_t Hart_Header_Size = 36;
inline constexpr size_t Hart_Record_Size = 76;

/// Records written to bank 2: fewer when the names may hold 32 characters.
inline constexpr size_t BACnet_Records_Written(bool long_names) {
    return bacnet::Image_Object_Capacity(long_names);
}
inline constexpr size_t BACnet_Name_Limit(bool long_names) {
    return long_names ? 32 : 16;
}

// Parameter block (bank 1) offsets.
namespace bank1 {
inline constexpr size_t Timing_A = 0x000;
inline constexpr size_t Timing_B = 0x004;
inline constexpr size_t Serial_Baud = 0x00C;
inline constexpr size_t IP_Address = 0x028;
inline constexpr size_t Subnet_Mask = 0x02C;
inline constexpr size_t Gateway = 0x030;
inline constexpr size_t Port_A = 0x034;
inline constexpr size_t Port_B = 0x036;
inline constexpr size_t Port_C = 0x038;
inline constexpr size_t BACnet_Port = 0x03A;
inline constexpr size_t BACnet_Device_Name = 0x050;
inline constexpr size_t BACnet_Device_Name_Chars = 15;
inline constexpr size_t Bank2_Address = 0x0F8;
inline constexpr size_t MSTP_MAC_Address = 0x100;
inline constexpr size_t MSTP_Max_Master = 0x101;
inline constexpr size_t MSTP_Max_Info_Frames = 0x102;
inline constexpr size_t MSTP_Network = 0x10E;
inline constexpr size_t MSTP_Device_Instance = 0x12C;
inline constexpr size_t BACnet_IP_Device_Identifier = 0x134;
inline constexpr size_t Hart_Diagnostic = 0x180;
inline constexpr size_t MSTP_Baud_Copy = 0x190;
inline constexpr size_t MSTP_Baud = 0x19C;
inline constexpr size_t MSTP_Parity_Copy = 0x1A8;
inline constexpr size_t MSTP_Parity = 0x1AB;
inline constexpr size_t Fixed_Eights = 0x1B4;
inline constexpr size_t Fixed_Eights_Count = 8;
inline constexpr size_t DHCP_Flags = 0x4E8;
inline constexpr size_t Host_Name = 0x514;
inline constexpr size_t Host_Name_Chars = 31;
inline constexpr size_t Secondary_DNS = 0x53C;
inline constexpr size_t Primary_DNS = 0x58C;
inline constexpr size_t Hart_Bank_Address = 0x600;
inline constexpr size_t Version_Text = 0x66C;
inline constexpr size_t Web_Pages_Address = 0x70C;
inline constexpr size_t Web_Pages_User = 0x724;
inline constexpr size_t Web_Pages_Password = 0x72C;
inline constexpr size_t Web_Pages_Login_Chars = 8;
inline constexpr size_t Checksum = 0x7FC;
} // namespace bank1

} // namespace image
