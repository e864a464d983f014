#pragma once

#include "image/bank_layout.h"
#include "image/hart_bank.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace image {

/// One BACnet object as the converter serves it (16 bytes in bank 2).
struct BACnet_Object_Record {
    uint32_t position = 0;
    uint16_t eng_unit = 0;
    uint8_t length = 0;
    uint8_t flags = 0; // bit 0 write table, bit 1 swap bytes, bit 2 swap words
    uint32_t name_address = 0;
    uint16_t object_number = 0;
    uint8_t bit = 0;
    uint8_t reserved = 0;
};

inline constexpr uint8_t Flag_Write_Table = 0x01;
inline constexpr uint8_t Flag_Swap = 0x02;
inline constexpr uint8_t Flag_Swap_Word = 0x04;

/// @brief Everything one compile builds, rebuilt from the project files each time.
/// Heavy (about 700 KB): keep one for the run rather than one per compile.
struct Image_State {
    Image_State();

    std::vector<uint8_t> Parameter_Block; // Parameter_Block_Size bytes
    THart_Bank Hart_Bank;
    std::vector<BACnet_Object_Record> BACnet_Objects; // BACnet_Object_Slots entries
    std::vector<uint8_t> Description_Area;            // Description_Area_Size bytes
    std::array<uint32_t, Object_Type_Count> Object_Type_Counts{};
    bool Desc_Chars_Limit = false; // names of up to 32 characters, at most 1023 objects

    std::vector<uint8_t> Bank1; // Bank1_Capacity bytes, of which Bank1_Length are the file
    size_t Bank1_Length = 0;
    std::vector<uint8_t> Bank2; // Bank2_Capacity bytes, of which Bank2_Length are the file
    size_t Bank2_Length = 0;

    /// True only after a compile that ended without error; the writer refuses otherwise.
    bool Complete = false;

    std::span<const uint8_t> Bank1_Bytes() const { return {Bank1.data(), Bank1_Length}; }
    std::span<const uint8_t> Bank2_Bytes() const { return {Bank2.data(), Bank2_Length}; }
};

} // namespace image
