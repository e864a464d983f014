#include "image/compile_image.h"

#include "image/bacnet_section.h"
#include "image/bank_layout.h"
#include "image/byte_order.h"
#include "image/comm_section.h"
#include "image/hart_section.h"

#include <QDir>

#include <algorithm>

namespace image {

namespace {

void Reset_Parameter_Block(std::span<uint8_t> block) {
    std::fill(block.begin(), block.end(), uint8_t{0});
    Put_U32(block, bank1::Timing_A, 250000);
    Put_U32(block, bank1::Timing_B, 250000);
    Put_U32(block, bank1::Serial_Baud, 9600);
    const uint8_t ip[] = {192, 168, 2, 205};
    const uint8_t mask[] = {255, 255, 255, 0};
    for (size_t i = 0; i < 4; ++i) {
        Put_U8(block, bank1::IP_Address + i, ip[i]);
        Put_U8(block, bank1::Subnet_Mask + i, mask[i]);
        Put_U8(block, bank1::Gateway + i, 255);
    }
    Put_U16(block, bank1::Port_A, 10000);
    Put_U16(block, bank1::Port_B, 10001);
    Put_U16(block, bank1::Port_C, 10001);
    for (size_t i = 0; i < bank1::Fixed_Eights_Count; ++i)
        Put_U8(block, bank1::Fixed_Eights + i, 8);
}

void Reset(Image_State& image) {
    image.Complete = false;
    image.Bank1_Length = 0;
    image.Bank2_Length = 0;
    Reset_Parameter_Block(image.Parameter_Block);
    Reset_Hart_Bank(image.Hart_Bank);
    std::fill(image.BACnet_Objects.begin(), image.BACnet_Objects.end(), BACnet_Object_Record{});
    std::fill(image.Description_Area.begin(), image.Description_Area.end(), uint8_t{0});
    image.Object_Type_Counts.fill(0);
    image.Desc_Chars_Limit = false;
}

void Store_Device_Addresses(std::span<uint8_t> block) {
    Put_U32(block, bank1::Bank2_Address, Bank2_Device_Address);
    Put_U32(block, bank1::Hart_Bank_Address, Hart_Bank_Device_Address);
    Put_U32(block, bank1::Web_Pages_Address, Web_Pages_Device_Address);
}

void Serialise_Bank1(Image_State& image) {
    Put_U32(image.Parameter_Block, bank1::Checksum,
            Parameter_Block_Checksum(image.Parameter_Block));
    std::copy(image.Parameter_Block.begin(), image.Parameter_Block.end(), image.Bank1.begin());
    image.Bank1_Length = Parameter_Block_Size;
}

void Serialise_Bank2(Image_State& image) {
    const size_t hart_offset = Write_BACnet_Area(image, image.Bank2, 0);
    image.Bank2_Length = Write_Hart_Section(image.Hart_Bank, image.Bank2, hart_offset);
}

} // namespace

uint32_t Parameter_Block_Checksum(std::span<const uint8_t> block) {
    uint32_t sum = 0;
    for (size_t i = 0; i < bank1::Checksum; ++i)
        sum += block[i];
    return sum;
}

QString Compile_Image(const project::Project_Paths& files, Image_State& image) {
    Reset(image);
    QString error = Build_Comm_Section(files.ParGen_File, image);
    if (!error.isEmpty())
        return error;
    Store_Device_Addresses(image.Parameter_Block);
    error = Build_Hart_Bank(files.HART_Variables_File, Hart_Bank_Device_Address, image.Hart_Bank);
    if (!error.isEmpty())
        return error;
    error = Build_BACnet_Objects(files.BACnet_Slave_File, Bank2_Device_Address, image);
    if (!error.isEmpty())
        return error;
    Copy_Object_Type_Counts(image);
    Serialise_Bank1(image);
    Serialise_Bank2(image);
    image.Complete = true;
    return {};
}

} // namespace image
