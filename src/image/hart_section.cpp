#include "image/hart_section.h"

#include "hart/hart_variables.h"
#include "image/bank_layout.h"
#include "image/byte_order.h"
#include "project/numbers.h"
#include "project/xml_file.h"

#include <QDir>

#include <bit>
#include <limits>

namespace image {

using project::Bits;
using project::Int32_Or;

namespace {

// The compile's reading of a row: only "Y" checks a box, a missing Enable polls the row
// (the dialog shows it enabled), a missing Preamble_Count takes the converter's 5.
hart::HART_Variable_Texts Compile_Defaults() {
    hart::HART_Variable_Texts defaults;
    defaults.Enable = QStringLiteral("Y");
    defaults.Preamble_Count = QStringLiteral("5");
    defaults.Var_Cmd_Type = QStringLiteral("Var");
    return defaults;
}

bool Is_Yes(const QString& text) {
    return text == QLatin1String("Y");
}

// The timeout is an unsigned 32-bit number of milliseconds; negative values keep their
// 32-bit pattern as a signed reading would.
uint32_t Timeout_Value(const QString& text) {
    const std::optional<qint64> value = project::Parse_Decimal(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<uint32_t>::max())
        return 0;
    return static_cast<uint32_t>(*value);
}

uint32_t Operation_Bits(const hart::HART_Variable_Texts& row) {
    uint32_t operation = 0;
    if (Is_Yes(row.ConvInt))
        operation += 2;
    if (Is_Yes(row.Swap))
        operation += (operation & 2) ? 4 : 1;
    return operation + Hart_Operation_Code(row.Var_Operation);
}

THart_Var_Place Read_Record(const hart::HART_Variable_Texts& row) {
    THart_Var_Place place;
    place.device_address =
        static_cast<uint64_t>(hart::Parse_HART_Address(row.Device_Address).value_or(0));
    place.preamble_count = Bits(Int32_Or(row.Preamble_Count, 5));
    place.Var_Type = Hart_Type_Code(row.Var_Cmd_Type);
    place.variable_number = Bits(Int32_Or(row.Var_Cmd_Number, 0));
    place.params = hart::Request_Bytes(row.Cmd_Params);
    place.params_length = static_cast<uint32_t>(place.params.size());
    place.position = Bits(Int32_Or(row.Position, 0));
    place.operation = Operation_Bits(row);
    place.TimeOut = Timeout_Value(row.TimeOut);
    return place;
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

uint32_t Hart_Type_Code(const QString& type) {
    if (type == QLatin1String("Var"))
        return 0;
    return type == QLatin1String("Var Burst") ? 1 : 2;
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

QString Build_Hart_Bank(const QString& path, uint32_t base, THart_Bank& bank) {
    const hart::HART_Texts_Load load =
        hart::Read_HART_Variable_Texts(path, Compile_Defaults(), hart::HART_Variables_Rows);
    if (load.status != project::Load_Status::Loaded)
        return load.error; // empty when the file is missing
    const QString too_many = hart::Too_Many_Rows(path, load.row_count);
    if (!too_many.isEmpty())
        return too_many;
    for (const hart::HART_Variable_Texts& row : load.rows)
        if (Is_Yes(row.Enable))
            bank.hart_var_place.push_back(Read_Record(row));
    if (bank.hart_var_place.empty())
        return {};
    const QString file = QDir::toNativeSeparators(path);

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
