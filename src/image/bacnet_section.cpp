#include "image/bacnet_section.h"

#include "image/byte_order.h"
#include "project/numbers.h"
#include "project/xml_file.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace image {

using project::Bits;
using project::Int32_Or;
using project::Int32_Value;

namespace {

constexpr auto Types = std::to_array<BACnet_Object_Type>({
    {"ANALOG INPUT", 0x138},
    {"ANALOG OUT", 0x13C},
    {"BINARY INPUT", 0x144},
    {"BINARY OUT", 0x148},
    {"LARGE ANALOG VALUE", 0x150},
    {"DATETIME VALUE", 0x154},
    {"POSITIVE INTEGER VALUE", 0x158},
    {"CHARACTERSTRING VALUE", 0x15C},
    {"INTEGER VALUE", 0x160},
    {"MULTI STATE INPUT", 0x164},
    {"MULTI STATE OUTPUT", 0x168},
    {"MULTI STATE VALUE", 0x16C},
    {"ANALOG VALUE", 0x140},
    {"BINARY VALUE", 0x14C},
    {"LIFE SAFETY POINT", 0x170},
    {"LIFE SAFETY ZONE", 0x174},
    {"ACCESS DOOR", 0x178},
    {"ACCUMULATOR", 0x17C},
    {"OCTET STRING", 0x700},
});
static_assert(Types.size() == Object_Type_Count);

constexpr const char* Read_Table = "BACnet_in_Read";
constexpr const char* Write_Table = "BACnet_in_Write";

// A table row that matched an object type.
struct Matched_Row {
    pugi::xml_node row;
    bool write_table;
    int position; // counting from 0 within its table
};

// Where a row failure is reported.
struct Row_Place {
    const QString& file;
    const char* table;
    int row; // counting from 1
};

QString Row_Message(const Row_Place& place, const char* attribute, const QString& what) {
    return QStringLiteral("%1: table %2, row %3: attribute %4 %5")
        .arg(place.file, QLatin1String(place.table))
        .arg(place.row)
        .arg(QLatin1String(attribute), what);
}

QString Missing_Attribute(const Row_Place& place, const char* attribute) {
    return Row_Message(place, attribute, QStringLiteral("is missing"));
}

// Upper-casing is plain ASCII, and the comparison is exact: blanks around the text match nothing.
bool Same_Type_Name(const char* data_type, const char* name) {
    for (; *data_type && *name; ++data_type, ++name) {
        char c = *data_type;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != *name)
            return false;
    }
    return *data_type == *name;
}

int Type_Index(const char* data_type) {
    for (size_t i = 0; i < Types.size(); ++i)
        if (Same_Type_Name(data_type, Types[i].name))
            return static_cast<int>(i);
    return -1;
}

// Sorts the rows of one table into the type buckets; a row without Data_Type stops the compile.
QString Classify_Rows(pugi::xml_node table, bool write_table, const QString& file,
                      std::array<std::vector<Matched_Row>, Object_Type_Count>& buckets,
                      int& row_count) {
    row_count = 0;
    for (pugi::xml_node row : table.children()) {
        if (row.type() != pugi::node_element)
            continue;
        const Row_Place place{file, write_table ? Write_Table : Read_Table, row_count + 1};
        const pugi::xml_attribute data_type = row.attribute("Data_Type");
        if (!data_type)
            return Missing_Attribute(place, "Data_Type");
        const int index = Type_Index(data_type.value());
        if (index >= 0)
            buckets[static_cast<size_t>(index)].push_back({row, write_table, row_count});
        ++row_count;
    }
    return {};
}

QString Integer_Attribute(pugi::xml_node row, const Row_Place& place, const char* attribute,
                          int32_t& value) {
    const std::optional<QString> text = project::Attr(row, attribute);
    if (!text)
        return Missing_Attribute(place, attribute);
    const std::optional<int32_t> number = Int32_Value(*text);
    if (!number)
        return Row_Message(place, attribute,
                           QStringLiteral("is not an integer (\"%1\")").arg(*text));
    value = *number;
    return {};
}

// Fills everything but the name, from the row's attributes.
QString Fill_Record(const Matched_Row& match, const Row_Place& place, int read_row_count,
                    BACnet_Object_Record& record) {
    int32_t eng_unit = 0;
    int32_t position = 0;
    int32_t length = 0;
    QString error = Integer_Attribute(match.row, place, "Eng_Unit", eng_unit);
    if (error.isEmpty())
        error = Integer_Attribute(match.row, place, "Position", position);
    if (error.isEmpty() && !match.row.attribute("Bit"))
        error = Missing_Attribute(place, "Bit");
    if (error.isEmpty())
        error = Integer_Attribute(match.row, place, "Length", length);
    if (error.isEmpty() && !match.row.attribute("Mnemonic"))
        error = Missing_Attribute(place, "Mnemonic");
    if (!error.isEmpty())
        return error;

    record.position = Bits(position);
    record.eng_unit = static_cast<uint16_t>(eng_unit);
    record.length = static_cast<uint8_t>(length);
    record.bit = static_cast<uint8_t>(Int32_Or(project::Attr(match.row, "Bit"), 0));
    record.flags = match.write_table ? Flag_Write_Table : 0;
    if (std::string_view(match.row.attribute("Swap").value()) == "Y")
        record.flags |= Flag_Swap;
    if (std::string_view(match.row.attribute("SwapWord").value()) == "Y")
        record.flags |= Flag_Swap_Word;
    const int number = match.position + 1 + (match.write_table ? read_row_count : 0);
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

QString Too_Many_Objects(const QString& file, size_t objects, bool long_names) {
    return QStringLiteral("%1: %2 BACnet objects, the converter takes at most %3 %4")
        .arg(file)
        .arg(objects)
        .arg(BACnet_Records_Written(long_names))
        .arg(long_names ? QStringLiteral("with 32-character descriptions")
                        : QStringLiteral("with 16-character descriptions"));
}

} // namespace

std::span<const BACnet_Object_Type> BACnet_Object_Types() {
    return Types;
}

QString Build_BACnet_Objects(const QString& path, uint32_t base, Image_State& image) {
    const bool long_names = image.Desc_Chars_Limit;
    const size_t records_written = BACnet_Records_Written(long_names);
    pugi::xml_document doc;
    QString error;
    const project::Load_Status status = project::Load_Xml_File(path, doc, error);
    if (status != project::Load_Status::Loaded)
        return error; // empty when the file is missing
    const QString file = QDir::toNativeSeparators(path);
    const pugi::xml_node root = project::Root_Node(doc);
    const pugi::xml_node read_table = project::Child(root, Read_Table);
    const pugi::xml_node write_table = project::Child(root, Write_Table);
    if (!read_table)
        return QStringLiteral("%1: table %2 is missing").arg(file, QLatin1String(Read_Table));
    if (!write_table)
        return QStringLiteral("%1: table %2 is missing").arg(file, QLatin1String(Write_Table));

    std::array<std::vector<Matched_Row>, Object_Type_Count> buckets;
    int read_rows = 0;
    int write_rows = 0;
    error = Classify_Rows(read_table, false, file, buckets, read_rows);
    if (error.isEmpty())
        error = Classify_Rows(write_table, true, file, buckets, write_rows);
    if (!error.isEmpty())
        return error;
    size_t matched = 0;
    for (const auto& bucket : buckets)
        matched += bucket.size();
    if (matched > records_written)
        return Too_Many_Objects(file, matched, long_names);

    Name_Store names(image.Description_Area,
                     base + static_cast<uint32_t>(BACnet_Record_Size * records_written),
                     BACnet_Name_Limit(long_names));
    size_t slot = 0;
    for (size_t type = 0; type < Types.size(); ++type) {
        for (const Matched_Row& match : buckets[type]) {
            const Row_Place place{file, match.write_table ? Write_Table : Read_Table,
                                  match.position + 1};
            BACnet_Object_Record& record = image.BACnet_Objects[slot++];
            error = Fill_Record(match, place, read_rows, record);
            if (!error.isEmpty())
                return error;
            record.name_address = names.Add(project::Attr_Text(match.row, "Mnemonic", {}));
        }
        image.Object_Type_Counts[type] = static_cast<uint32_t>(buckets[type].size());
    }
    return {};
}

void Copy_Object_Type_Counts(Image_State& image) {
    for (size_t type = 0; type < Types.size(); ++type)
        Put_U32(image.Parameter_Block, Types[type].count_offset, image.Object_Type_Counts[type]);
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
