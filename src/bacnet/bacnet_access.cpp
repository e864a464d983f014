#include "bacnet/bacnet_access.h"

#include "comm/pargen_record.h"
#include "lang/string_table.h"
#include "project/numbers.h"
#include "project/project_paths.h"
#include "project/table_rows.h"

#include <QDir>

#include <cstring>

namespace bacnet {

namespace {

constexpr const char* Root_Element = "BACnet_to_Modbus";

constexpr auto Attribute_Names = std::to_array<const char*>(
    {"Data_Type", "Eng_Unit", "Position", "Bit", "Length", "Swap", "SwapWord", "Mnemonic"});
static_assert(Attribute_Names.size() == Row_Attribute_Count);

// Texts of the validation.
constexpr int Str_Error_Row = 1332;
constexpr int Str_Too_Many_Requests = 1359;

constexpr qint64 Max_Eng_Unit = 65535;

QString* Field(BACnet_Access_Row& row, Row_Attribute attribute) {
    switch (attribute) {
    case Attr_Data_Type:
        return &row.Data_Type;
    case Attr_Eng_Unit:
        return &row.Eng_Unit;
    case Attr_Position:
        return &row.Position;
    case Attr_Bit:
        return &row.Bit;
    case Attr_Length:
        return &row.Length;
    case Attr_Swap:
        return &row.Swap;
    case Attr_SwapWord:
        return &row.SwapWord;
    default:
        return &row.Mnemonic;
    }
}

int Attribute_Index(const char* name) {
    for (size_t a = 0; a < Attribute_Names.size(); ++a)
        if (std::strcmp(name, Attribute_Names[a]) == 0)
            return static_cast<int>(a);
    return -1;
}

// One pass over each row's attributes; of a repeated attribute the first counts.
QList<Stored_Row> Read_Rows(pugi::xml_node table) {
    QList<Stored_Row> rows;
    for (const pugi::xml_node node : table.children()) {
        if (node.type() != pugi::node_element)
            continue;
        Stored_Row& row = rows.emplace_back();
        for (const pugi::xml_attribute value : node.attributes()) {
            const int a = Attribute_Index(value.name());
            if (a < 0 || row.present.test(static_cast<size_t>(a)))
                continue;
            row.present.set(static_cast<size_t>(a));
            *Field(row.fields, static_cast<Row_Attribute>(a)) = project::To_QString(value.value());
        }
    }
    return rows;
}

void Write_Rows(pugi::xml_node table, const QList<BACnet_Access_Row>& rows) {
    for (BACnet_Access_Row row : rows) {
        if (!row.In_Use())
            break;
        pugi::xml_node node = table.append_child("row");
        for (int a = 0; a < Row_Attribute_Count; ++a) {
            const auto attribute = static_cast<Row_Attribute>(a);
            project::Set_Attr(node, Attribute_Name(attribute), *Field(row, attribute));
        }
    }
}

// --- Validation -------------------------------------------------------------------------------

struct Length_Rule {
    const char* data_type;
    qint64 low;
    qint64 high;
    int text;
};

struct Table_Rules {
    int eng_unit_text;
    int position_text;
    int bit_text;
    int last_byte_text;
    std::array<const char*, 2> binary_types;
    std::span<const Length_Rule> lengths;
};

constexpr auto Read_Lengths = std::to_array<Length_Rule>({
    {"Analog Input", 1, 4, 1335},
    {"Positive Integer Value", 1, 4, 1336},
    {"Large Analog Value", 1, 8, 1337},
    {"Analog Value", 1, 4, 1338},
    {"Multi State Input", 1, 4, 1339},
    {"Multi State Value", 1, 4, 1340},
    {"Life Safety Point", 1, 2, 1341},
    {"Life Safety Zone", 1, 2, 1342},
    {"Access Door", 1, 1, 1343},
    {"Accumulator", 1, 4, 1344},
    // The converter takes at most 4 bytes for an integer value, whichever table it is in.
    {"Integer Value", 1, 4, 1363},
});

constexpr auto Write_Lengths = std::to_array<Length_Rule>({
    {"Analog Out", 1, 4, 1349},
    {"Analog Value", 1, 4, 1350},
    {"Positive Integer Value", 1, 4, 1351},
    {"Large Analog Value", 1, 8, 1352},
    {"Integer Value", 1, 4, 1353},
    {"Multi State Output", 1, 4, 1354},
    {"Multi State Value", 1, 4, 1355},
    {"Access Door", 1, 1, 1356},
});

const Table_Rules Read_Rules{1333,        1334, 1345, 1346, {"Binary Input", "Binary Value"},
                             Read_Lengths};
const Table_Rules Write_Rules{1347,         1348, 1357, 1358, {"Binary Out", "Binary Value"},
                              Write_Lengths};

bool In_Range(qint64 value, qint64 low, qint64 high) {
    return value >= low && value <= high;
}

bool Is_Binary(const Table_Rules& rules, const QString& data_type) {
    return data_type == QLatin1String(rules.binary_types[0]) ||
           data_type == QLatin1String(rules.binary_types[1]);
}

// The check text of the first failure of one row, or nothing.
std::optional<QString> Row_Failure(const BACnet_Access_Row& row, const Table_Rules& rules,
                                   const lang::String_Table& texts) {
    if (!In_Range(project::Int_Or_Minus_One(row.Eng_Unit), 0, Max_Eng_Unit))
        return texts.Text(rules.eng_unit_text);
    const qint64 position = project::Int_Or_Minus_One(row.Position);
    if (!In_Range(position, 0, Data_Area_Bytes - 1))
        return texts.Text(rules.position_text) + QString::number(Data_Area_Bytes - 1);
    qint64 last_byte = position;
    if (Is_Binary(rules, row.Data_Type)) {
        if (row.Bit.isEmpty())
            return texts.Text(rules.bit_text);
    } else {
        const qint64 length = project::Parse_Decimal(row.Length).value_or(0);
        for (const Length_Rule& rule : rules.lengths)
            if (row.Data_Type == QLatin1String(rule.data_type) &&
                !In_Range(length, rule.low, rule.high))
                return texts.Text(rule.text);
        last_byte = position + length - 1;
    }
    if (last_byte >= Data_Area_Bytes)
        return texts.Text(rules.last_byte_text);
    return std::nullopt;
}

// Checks one table up to its first row not in use; adds its rows to @p counted.
QString Check_Table(const QList<BACnet_Access_Row>& rows, const Table_Rules& rules,
                    const lang::String_Table& texts, int& counted) {
    for (qsizetype i = 0; i < rows.size() && rows[i].In_Use(); ++i) {
        ++counted;
        if (const std::optional<QString> failure = Row_Failure(rows[i], rules, texts))
            return project::Row_Error(texts.Text(Str_Error_Row), static_cast<int>(i) + 1, *failure);
    }
    return {};
}

QStringList Numbers(int count) {
    QStringList numbers;
    numbers.reserve(count);
    for (int i = 0; i < count; ++i)
        numbers << QString::number(i);
    return numbers;
}

} // namespace

const char* Attribute_Name(Row_Attribute attribute) {
    return Attribute_Names[static_cast<size_t>(attribute)];
}

const char* Table_Element(Access_Table table) {
    return table == Access_Table::Read ? "BACnet_in_Read" : "BACnet_in_Write";
}

const QString& Stored_Row::Text(Row_Attribute attribute) const {
    return *Field(const_cast<BACnet_Access_Row&>(fields), attribute);
}

QList<QString> BACnet_Access_File::Data_Types(Access_Table table) const {
    QList<QString> types;
    types.reserve(Rows(table).size());
    for (const Stored_Row& row : Rows(table))
        types << row.fields.Data_Type;
    return types;
}

BACnet_Access_File Read_BACnet_Access_File(const QString& path) {
    BACnet_Access_File file;
    file.file = QDir::toNativeSeparators(path);
    pugi::xml_document doc;
    file.status = project::Load_Xml_File(path, doc, file.error);
    if (file.status != project::Load_Status::Loaded)
        return file;
    const pugi::xml_node root = project::Root_Node(doc);
    for (const Access_Table table : {Access_Table::Read, Access_Table::Write}) {
        const pugi::xml_node element = project::Child(root, Table_Element(table));
        if (!element) {
            file.status = project::Load_Status::Failed;
            file.error = QStringLiteral("%1: table %2 is missing")
                             .arg(file.file, QLatin1String(Table_Element(table)));
            file.read_rows.clear();
            return file;
        }
        (table == Access_Table::Read ? file.read_rows : file.write_rows) = Read_Rows(element);
    }
    return file;
}

QString Row_Attribute_Error(const QString& file, Access_Table table, int row, const char* attribute,
                            const QString& what) {
    return QStringLiteral("%1: table %2, row %3: attribute %4 %5")
        .arg(file, QLatin1String(Table_Element(table)))
        .arg(row)
        .arg(QLatin1String(attribute), what);
}

QString Check_Required_Attributes(const BACnet_Access_File& file,
                                  std::initializer_list<Row_Attribute> required) {
    for (const Access_Table table : {Access_Table::Read, Access_Table::Write}) {
        const QList<Stored_Row>& rows = file.Rows(table);
        for (qsizetype i = 0; i < rows.size(); ++i)
            for (const Row_Attribute attribute : required)
                if (!rows[i].Has(attribute))
                    return Row_Attribute_Error(file.file, table, static_cast<int>(i) + 1,
                                               Attribute_Name(attribute),
                                               QStringLiteral("is missing"));
    }
    return {};
}

BACnet_Access_Load Load_BACnet_Access(const QString& path, int table_rows) {
    BACnet_Access_Load load;
    const BACnet_Access_File file = Read_BACnet_Access_File(path);
    load.status = file.status;
    load.error = file.error;
    if (file.status != project::Load_Status::Loaded)
        return load;
    load.error = Check_Required_Attributes(
        file, {Attr_Data_Type, Attr_Eng_Unit, Attr_Position, Attr_Bit, Attr_Length, Attr_Mnemonic});
    if (!load.error.isEmpty()) {
        load.status = project::Load_Status::Failed;
        return load;
    }
    for (const Access_Table table : {Access_Table::Read, Access_Table::Write}) {
        const size_t t = table == Access_Table::Read ? 0 : 1;
        for (const Stored_Row& stored : file.Rows(table)) {
            if (load.tables[t].size() >= table_rows) {
                ++load.dropped_rows[t];
                continue;
            }
            BACnet_Access_Row row = stored.fields;
            if (!stored.Has(Attr_Swap))
                row.Swap = QStringLiteral("N");
            if (!stored.Has(Attr_SwapWord))
                row.SwapWord = QStringLiteral("N");
            load.tables[t] << row;
        }
    }
    return load;
}

QString Save_BACnet_Access(const QString& path, const QList<BACnet_Access_Row>& read_rows,
                           const QList<BACnet_Access_Row>& write_rows) {
    pugi::xml_document doc;
    pugi::xml_node root = project::New_Document(doc, Root_Element);
    Write_Rows(root.append_child(Table_Element(Access_Table::Read)), read_rows);
    Write_Rows(root.append_child(Table_Element(Access_Table::Write)), write_rows);
    return project::Save_Xml_File(doc, path);
}

bool Read_Desc_Lenght(const QString& par_gen_path) {
    comm::ParGen_Record texts;
    QString error;
    return comm::Load_ParGen_Texts(par_gen_path, comm::ParGen_Record(), texts, error) ==
               project::Load_Status::Loaded &&
           texts.BACnet_Desc_Chars_Limit == QLatin1String("1");
}

QString Check_BACnet_Access(const QList<BACnet_Access_Row>& read_rows,
                            const QList<BACnet_Access_Row>& write_rows, bool desc_lenght,
                            const lang::String_Table& texts) {
    int counted = 0;
    QString failure = Check_Table(read_rows, Read_Rules, texts, counted);
    if (failure.isEmpty())
        failure = Check_Table(write_rows, Write_Rules, texts, counted);
    if (failure.isEmpty() && counted > Table_Rows(desc_lenght))
        failure = texts.Text(Str_Too_Many_Requests) + QString::number(Table_Rows(desc_lenght));
    return failure;
}

QString Check_BACnet_Access_Project(const QString& project_folder) {
    const project::Project_Paths paths = project::Project_Paths::In_Folder(project_folder);
    const bool desc_lenght = Read_Desc_Lenght(paths.ParGen_File);
    const BACnet_Access_Load load =
        Load_BACnet_Access(paths.BACnet_Slave_File, Table_Rows(desc_lenght));
    if (load.status == project::Load_Status::Failed)
        return load.error;
    return Check_BACnet_Access(load.tables[0], load.tables[1], desc_lenght, lang::String_Table());
}

const QStringList& Data_Type_Choices(Access_Table table) {
    static const QStringList read{QStringLiteral("Analog Input"),
                                  QStringLiteral("Analog Value"),
                                  QStringLiteral("Binary Input"),
                                  QStringLiteral("Binary Value"),
                                  QStringLiteral("Positive Integer Value"),
                                  QStringLiteral("Large Analog Value"),
                                  QStringLiteral("Integer Value"),
                                  QStringLiteral("Multi State Input"),
                                  QStringLiteral("Multi State Value"),
                                  QStringLiteral("Life Safety Point"),
                                  QStringLiteral("Life Safety Zone"),
                                  QStringLiteral("Access Door"),
                                  QStringLiteral("Accumulator")};
    static const QStringList write{QStringLiteral("Analog Out"),
                                   QStringLiteral("Analog Value"),
                                   QStringLiteral("Binary Out"),
                                   QStringLiteral("Binary Value"),
                                   QStringLiteral("Positive Integer Value"),
                                   QStringLiteral("Large Analog Value"),
                                   QStringLiteral("Integer Value"),
                                   QStringLiteral("Multi State Output"),
                                   QStringLiteral("Multi State Value"),
                                   QStringLiteral("Access Door")};
    return table == Access_Table::Read ? read : write;
}

const QStringList& Position_Choices() {
    static const QStringList choices = Numbers(Data_Area_Bytes);
    return choices;
}

const QStringList& Start_Bit_Choices() {
    static const QStringList choices = Numbers(8);
    return choices;
}

std::optional<QString> Length_Preset(Access_Table table, const QString& data_type,
                                     const QString& current_length) {
    if (table == Access_Table::Read) {
        if (Is_Binary(Read_Rules, data_type) && current_length.trimmed().isEmpty())
            return QStringLiteral("1");
        return std::nullopt;
    }
    static const QList<std::pair<QString, QString>> presets{
        {QStringLiteral("Analog Out"), QStringLiteral("4")},
        {QStringLiteral("Analog Value"), QStringLiteral("4")},
        {QStringLiteral("Binary Out"), QStringLiteral("1")},
        {QStringLiteral("Binary Value"), QStringLiteral("1")},
        {QStringLiteral("Positive Integer Value"), QStringLiteral("4")},
        {QStringLiteral("Large Analog Value"), QStringLiteral("8")},
        {QStringLiteral("Integer Value"), QStringLiteral("4")},
        {QStringLiteral("Multi State Output"), QStringLiteral("4")},
        {QStringLiteral("Multi State Value"), QStringLiteral("4")},
        {QStringLiteral("Access Door"), QStringLiteral("1")},
    };
    for (const auto& [type, length] : presets)
        if (type == data_type)
            return length;
    return std::nullopt;
}

} // namespace bacnet
