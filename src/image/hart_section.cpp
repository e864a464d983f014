#include "image/hart_section.h"

#include "image/bank_layout.h"
#include "image/byte_order.h"
#include "image/text_numbers.h"
#include "project/xml_file.h"

#include <QDir>

#include <bit>
#include <cstring>
#include <limits>

namespace image {

namespace {

constexpr uint32_t Default_Preamble_Count = 5;

// The HART_Variables dialog stores check boxes as "Y" and "N".
bool Is_Yes(pugi::xml_node row, const char* name) {
    return std::strcmp(row.attribute(name).as_string(), "Y") == 0;
}

// A row without Enable is shown enabled by the dialog, so the compile polls it too.
bool Is_Enabled(pugi::xml_node row) {
    const pugi::xml_attribute enable = row.attribute("Enable");
    return !enable || std::strcmp(enable.value(), "Y") == 0;
}

int Hex_Digit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// Leading zeros do not count towards the 16 digits that 64 bits hold.
std::optional<uint64_t> Parse_Hex(QStringView digits) {
    if (digits.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    int significant = 0;
    for (QChar c : digits) {
        const int digit = Hex_Digit(c);
        if (digit < 0)
            return std::nullopt;
        if (value != 0 || digit != 0)
            ++significant;
        if (significant > 16)
            return std::nullopt;
        value = (value << 4) | static_cast<uint64_t>(digit);
    }
    return value;
}

// The timeout is an unsigned 32-bit number of milliseconds; negative values keep their
// 32-bit pattern as a signed reading would.
uint32_t Timeout_Value(const std::optional<QString>& text) {
    if (!text)
        return 0;
    const std::optional<qint64> value = project::Parse_Decimal(*text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<uint32_t>::max())
        return 0;
    return static_cast<uint32_t>(*value);
}

uint32_t Operation_Bits(pugi::xml_node row) {
    uint32_t operation = 0;
    if (Is_Yes(row, "ConvInt"))
        operation += 2;
    if (Is_Yes(row, "Swap"))
        operation += (operation & 2) ? 4 : 1;
    return operation + Hart_Operation_Code(project::Attr_Text(row, "Var_Operation", QString()));
}

THart_Var_Place Read_Record(pugi::xml_node row) {
    THart_Var_Place place;
    const std::optional<QString> address = project::Attr(row, "Device_Address");
    place.device_address = address ? Parse_Hart_Address(*address).value_or(0) : 0;
    place.preamble_count =
        Bits(Int32_Or(project::Attr(row, "Preamble_Count"), Default_Preamble_Count));
    place.Var_Type = Hart_Type_Code(project::Attr(row, "Var_Cmd_Type"));
    place.variable_number = Bits(Int32_Or(project::Attr(row, "Var_Cmd_Number"), 0));
    place.params = Hart_Request_Bytes(project::Attr_Text(row, "Cmd_Params", QString()));
    place.params_length = static_cast<uint32_t>(place.params.size());
    place.position = Bits(Int32_Or(project::Attr(row, "Position"), 0));
    place.operation = Operation_Bits(row);
    place.TimeOut = Timeout_Value(project::Attr(row, "TimeOut"));
    return place;
}

pugi::xml_node Find_Hart_Root(const pugi::xml_document& doc) {
    for (pugi::xml_node node : doc.children())
        if (node.type() == pugi::node_element && std::strcmp(node.name(), "HART") == 0)
            return node;
    return {};
}

void Put_Float(Byte_Cursor& out, float value) {
    out.U32(std::bit_cast<uint32_t>(value));
}

void Write_Header(const THart_Bank& bank, Byte_Cursor& out) {
    out.U32(bank.var_number);
    out.U32(bank.hart_var_place_add);
    out.U32(bank.routing_rules_number);
    out.U32(bank.routing_rules_add);
    out.U32(bank.Hart_type);
    out.U64(bank.address);
    out.U32(bank.retry_limit);
    out.U32(bank.slave_info_address);
}

void Write_Record(const THart_Var_Place& place, Byte_Cursor& out) {
    out.U64(place.device_address);
    out.U32(place.preamble_count);
    out.U32(place.Var_Type);
    out.U32(place.variable_number);
    for (int i = 0; i < 3; ++i)
        out.U8(place.variable_transducer_serial_number >> (8 * i));
    out.U8(place.variable_limits);
    Put_Float(out, place.variable_upper_range);
    Put_Float(out, place.variable_lower_range);
    Put_Float(out, place.variable_upper_transducer_limit);
    Put_Float(out, place.variable_lower_transducer_limit);
    Put_Float(out, place.variable_damping_value);
    Put_Float(out, place.variable_minimum_span);
    out.U32(place.TimeOut);
    out.U8(place.variable_units);
    out.U8(place.variable_classification);
    out.U8(place.variable_family);
    out.U8(place.variable_properties);
    out.U8(place.variable_status);
    for (uint8_t spare : place.spare)
        out.U8(spare);
    out.U32(place.params_add);
    out.U32(place.params_length);
    out.U32(place.position);
    out.U32(place.operation);
}

} // namespace

void Reset_Hart_Bank(THart_Bank& bank) {
    bank = THart_Bank{};
    bank.Hart_type = 1;
}

uint32_t Hart_Type_Code(const std::optional<QString>& type) {
    if (!type || *type == QLatin1String("Var"))
        return 0;
    return *type == QLatin1String("Var Burst") ? 1 : 2;
}

uint32_t Hart_Operation_Code(const QString& operation) {
    static constexpr const char* Scalings[] = {"x 10",    "x 100",    "x 1000",
                                               "x 10000", "x 100000", "x 1000000"};
    uint32_t code = 8;
    for (const char* scaling : Scalings) {
        if (operation == QLatin1String(scaling))
            return code;
        code <<= 1;
    }
    return 0;
}

std::vector<uint8_t> Hart_Request_Bytes(const QString& text) {
    const QString hex = text.trimmed();
    std::vector<uint8_t> bytes(static_cast<size_t>(hex.size() / 2));
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int high = Hex_Digit(hex[static_cast<qsizetype>(2 * i)]);
        const int low = Hex_Digit(hex[static_cast<qsizetype>(2 * i + 1)]);
        bytes[i] = (high < 0 || low < 0) ? 0 : static_cast<uint8_t>(high * 16 + low);
    }
    return bytes;
}

std::optional<uint64_t> Parse_Hart_Address(const QString& text) {
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return Parse_Hex(QStringView(text).mid(2));
    if (text.startsWith(u'$'))
        return Parse_Hex(QStringView(text).mid(1));
    const std::optional<qint64> value = project::Parse_Decimal(text);
    if (!value)
        return std::nullopt;
    return static_cast<uint64_t>(*value);
}

QString Build_Hart_Bank(const QString& path, uint32_t base, THart_Bank& bank) {
    pugi::xml_document doc;
    QString error;
    const project::Load_Status status = project::Load_Xml_File(path, doc, error);
    if (status == project::Load_Status::Failed)
        return error;
    if (status == project::Load_Status::Missing)
        return {};
    const QString file = QDir::toNativeSeparators(path);
    const pugi::xml_node hart = Find_Hart_Root(doc);
    if (!hart)
        return QStringLiteral("%1: element HART is missing").arg(file);
    const pugi::xml_node table = project::Child(hart, "HART_Variables");
    if (!table)
        return QStringLiteral("%1: table HART_Variables is missing").arg(file);
    for (pugi::xml_node row : table.children())
        if (row.type() == pugi::node_element && Is_Enabled(row))
            bank.hart_var_place.push_back(Read_Record(row));
    if (bank.hart_var_place.empty())
        return {};

    // The list follows the BACnet object area and must end before the web-pages image.
    const size_t limit = Bank2_Room - BACnet_Area_Size;
    if (Hart_Section_Size(bank) > limit)
        return QStringLiteral("%1: the HART variables need %2 bytes, the converter holds at most "
                              "%3 (%4 enabled rows)")
            .arg(file)
            .arg(Hart_Section_Size(bank))
            .arg(limit)
            .arg(bank.hart_var_place.size());

    bank.var_number = static_cast<uint32_t>(bank.hart_var_place.size());
    bank.hart_var_place_add = base + Hart_Header_Size;
    uint32_t request_address = base + Hart_Header_Size + Hart_Record_Size * bank.var_number;
    for (THart_Var_Place& place : bank.hart_var_place) {
        place.params_add = request_address;
        request_address += place.params_length;
    }
    return {};
}

size_t Hart_Section_Size(const THart_Bank& bank) {
    size_t size = Hart_Header_Size + Hart_Record_Size * bank.hart_var_place.size();
    for (const THart_Var_Place& place : bank.hart_var_place)
        size += place.params.size();
    return size;
}

size_t Write_Hart_Section(const THart_Bank& bank, std::span<uint8_t> buffer, size_t offset) {
    Byte_Cursor out(buffer, offset);
    Write_Header(bank, out);
    for (const THart_Var_Place& place : bank.hart_var_place)
        Write_Record(place, out);
    for (const THart_Var_Place& place : bank.hart_var_place)
        out.Bytes(place.params);
    return out.Position();
}

} // namespace image
