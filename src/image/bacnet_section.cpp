#include "image/bacnet_section.h"

#include "bacnet/bacnet_access.h"
#include "image/byte_order.h"
#include "project/numbers.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <vector>

namespace image {

using project::Bits;
using project::Int32_Value;

namespace {

using bacnet::Access_Table;
using bacnet::Stored_Row;

// Where bank 1 keeps the count of each object type, in the order of the type catalogue.
constexpr auto Count_Offsets = std::to_array<size_t>({
    0x138, 0x13C, 0x144, 0x148, 0x150, 0x154, 0x158, 0x15C, 0x160, 0x164,
    0x168, 0x16C, 0x140, 0x14C, 0x170, 0x174, 0x178, 0x17C, 0x700,
});
static_assert(Count_Offsets.size() == Object_Type_Count);
static_assert(bacnet::Object_Type_Count == Object_Type_Count);

QString Missing_Attribute(const QString& file, const bacnet::Numbered_Object& object,
                          bacnet::Row_Attribute attribute) {
    return bacnet::Row_Attribute_Error(file, object.table, object.row + 1,
                                       bacnet::Attribute_Name(attribute),
                                       QStringLiteral("is missing"));
}

QString Integer_Attribute(const Stored_Row& row, const QString& file,
                          const bacnet::Numbered_Object& object, bacnet::Row_Attribute attribute,
                          int32_t& value) {
    if (!row.Has(attribute))
        return Missing_Attribute(file, object, attribute);
    const std::optional<int32_t> number = Int32_Value(row.Text(attribute));
    if (!number)
        return bacnet::Row_Attribute_Error(
            file, object.table, object.row + 1, bacnet::Attribute_Name(attribute),
            QStringLiteral("is not an integer (\"%1\")").arg(row.Text(attribute)));
    value = *number;
    return {};
}

// Fills everything but the name, from the row's attributes.
QString Fill_Record(const Stored_Row& row, const QString& file,
                    const bacnet::Numbered_Object& object, int read_row_count,
                    BACnet_Object_Record& record) {
    int32_t eng_unit = 0;
    int32_t position = 0;
    int32_t length = 0;
    QString error = Integer_Attribute(row, file, object, bacnet::Attr_Eng_Unit, eng_unit);
    if (error.isEmpty())
        error = Integer_Attribute(row, file, object, bacnet::Attr_Position, position);
    if (error.isEmpty() && !row.Has(bacnet::Attr_Bit))
        error = Missing_Attribute(file, object, bacnet::Attr_Bit);
    if (error.isEmpty())
        error = Integer_Attribute(row, file, object, bacnet::Attr_Length, length);
    if (error.isEmpty() && !row.Has(bacnet::Attr_Mnemonic))
        error = Missing_Attribute(file, object, bacnet::Attr_Mnemonic);
    if (!error.isEmpty())
        return error;

    const bool write_table = object.table == Access_Table::Write;
    record.position = Bits(position);
    record.eng_unit = static_cast<uint16_t>(eng_unit);
    record.length = static_cast<uint8_t>(length);
    record.bit = static_cast<uint8_t>(Int32_Value(row.fields.Bit).value_or(0));
    record.flags = write_table ? Flag_Write_Table : 0;
    if (row.fields.Swap == QLatin1String("Y"))
        record.flags |= Flag_Swap;
    if (row.fields.SwapWord == QLatin1String("Y"))
        record.flags |= Flag_Swap_Word;
    const int number = object.row + 1 + (write_table ? read_row_count : 0);
    record.object_number = static_cast<uint16_t>(number);
    return {};
}

// Names follow each other from byte 1 of the description area; byte 0 is the empty name.
class Name_Store {
public:
    Name_Store(std::vector<uint8_t>& area, uint32_t area_address, size_t limit)
        : area_(area), area_address_(area_address), limit_(limit) {}

    uint32_t Add(const QString& mnemonic) {
        const size_t length = std::min(limit_, static_cast<size_t>(mnemonic.size()));
        if (length == 0)
            return area_address_;
        Q_ASSERT(next_ + length + 1 <= area_.size());
        const uint32_t address = area_address_ + static_cast<uint32_t>(next_);
        next_ += Put_Text(area_, next_, mnemonic, length);
        area_[next_++] = 0;
        return address;
    }

private:
    std::vector<uint8_t>& area_;
    uint32_t area_address_;
    size_t limit_;
    size_t next_ = 1;
};

} // namespace

QString Build_BACnet_Objects(const QString& path, uint32_t base, Image_State& image) {
    const bool long_names = image.Desc_Chars_Limit;
    const size_t records_written = BACnet_Records_Written(long_names);
    const bacnet::BACnet_Access_File file = bacnet::Read_BACnet_Access_File(path);
    if (file.status != project::Load_Status::Loaded)
        return file.error; // empty when the file is missing
    QString error = bacnet::Check_Required_Attributes(file, {bacnet::Attr_Data_Type});
    if (!error.isEmpty())
        return error;
    const bacnet::Object_Numbering numbering = bacnet::Number_Objects(
        file.Data_Types(Access_Table::Read), file.Data_Types(Access_Table::Write));
    error = bacnet::Check_Image_Capacity(file.file, numbering.objects.size(), long_names);
    if (!error.isEmpty())
        return error;

    Name_Store names(image.Description_Area,
                     base + static_cast<uint32_t>(BACnet_Record_Size * records_written),
                     BACnet_Name_Limit(long_names));
    const int read_rows = static_cast<int>(file.read_rows.size());
    size_t slot = 0;
    for (const bacnet::Numbered_Object& object : numbering.Record_Order()) {
        const Stored_Row& row = file.Rows(object.table)[object.row];
        BACnet_Object_Record& record = image.BACnet_Objects[slot++];
        error = Fill_Record(row, file.file, object, read_rows, record);
        if (!error.isEmpty())
            return error;
        record.name_address = names.Add(row.fields.Mnemonic);
    }
    for (size_t type = 0; type < Object_Type_Count; ++type)
        image.Object_Type_Counts[type] = static_cast<uint32_t>(numbering.counts[type]);
    return {};
}

void Copy_Object_Type_Counts(Image_State& image) {
    for (size_t type = 0; type < Object_Type_Count; ++type)
        Put_U32(image.Parameter_Block, Count_Offsets[type], image.Object_Type_Counts[type]);
}

size_t Write_BACnet_Area(const Image_State& image, std::span<uint8_t> buffer, size_t offset) {
    const size_t records_written = BACnet_Records_Written(image.Desc_Chars_Limit);
    Byte_Cursor out(buffer, offset);
    for (size_t slot = 0; slot < records_written; ++slot) {
        const BACnet_Object_Record& record = image.BACnet_Objects[slot];
        out.U32(record.position);
        out.U16(record.eng_unit);
        out.U8(record.length);
        out.U8(record.flags);
        out.U32(record.name_address);
        out.U16(record.object_number);
        out.U8(record.bit);
        out.U8(record.reserved);
    }
    out.Bytes(image.Description_Area);
    out.Zeros(offset + BACnet_Area_Size - out.Position());
    return out.Position();
}

} // namespace image
