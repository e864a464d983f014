#include "hart/hart_variables.h"

#include "lang/string_table.h"
#include "project/data_area.h"
#include "project/numbers.h"
#include "project/project_paths.h"
#include "project/table_rows.h"

#include <QDir>

namespace hart {

namespace {

// Texts of the validation messages.
constexpr int Str_Error_Row = 1237;
constexpr int Str_Address_Range = 1238;
constexpr int Str_Preamble_Range = 1239;
constexpr int Str_Type_Missing = 1240;
constexpr int Str_Command_Range = 1241;
constexpr int Str_Variable_Range = 1242;
constexpr int Str_Params_Odd = 1243;
constexpr int Str_Params_Too_Long = 1244;
constexpr int Str_Params_Not_Hex = 1245;
constexpr int Str_Position_Range = 1246;
constexpr int Str_Operations_Missing = 1247;
constexpr int Str_TimeOut_Range = 1252;

constexpr qint64 Max_Device_Address = 0xFFFFFFFFFFLL;
constexpr qint64 Max_Command_Number = 65535;
constexpr qint64 Max_Variable_Number = 250;
constexpr qint64 Min_Preamble = 5;
constexpr qint64 Max_Preamble = 20;
constexpr qsizetype Max_Params_Characters = 500;
constexpr qint64 Max_TimeOut = 0xFFFFFFFFLL;

const char* const Table_Element = "HART_Variables";
const char* const Root_Element = "HART";

using project::Int_Or_Minus_One;

constexpr int Num_Byte_Max = project::Data_Area_Size;

bool In_Range(qint64 value, qint64 low, qint64 high) {
    return value >= low && value <= high;
}

bool Is_Hex_Text(const QString& upper) {
    for (const QChar c : upper)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}

// The text of the first failing Params check, or nothing.
std::optional<int> Params_Failure(const QString& params) {
    if (params.size() % 2 != 0)
        return Str_Params_Odd;
    if (params.size() > Max_Params_Characters)
        return Str_Params_Too_Long;
    if (!Is_Hex_Text(params.toUpper()))
        return Str_Params_Not_Hex;
    return std::nullopt;
}

// The check text of the first failure of one row, or nothing.
std::optional<QString> Row_Failure(const HART_Variable_Row& row, const lang::String_Table& texts) {
    const auto text = [&texts](int id) { return std::optional<QString>(texts.Text(id)); };
    if (!In_Range(Parse_HART_Address(row.Device_Address).value_or(-1), 0, Max_Device_Address))
        return text(Str_Address_Range);
    if (!In_Range(Int_Or_Minus_One(row.Preamble_Count), Min_Preamble, Max_Preamble))
        return text(Str_Preamble_Range);
    if (row.Var_Cmd_Type.trimmed().isEmpty())
        return text(Str_Type_Missing);
    const bool command = Is_Command_Row(row);
    const qint64 number = Int_Or_Minus_One(row.Var_Cmd_Number);
    if (command && !In_Range(number, 0, Max_Command_Number))
        return text(Str_Command_Range);
    if (!command && !In_Range(number, 0, Max_Variable_Number))
        return text(Str_Variable_Range);
    const QString params = row.Cmd_Params.trimmed();
    if (command && !params.isEmpty())
        if (const std::optional<int> failure = Params_Failure(params))
            return text(*failure);
    if (!In_Range(Int_Or_Minus_One(row.Position), 0, Num_Byte_Max - 1))
        return texts.Text(Str_Position_Range) + QString::number(Num_Byte_Max);
    if (!command && row.Var_Operation.trimmed().isEmpty())
        return text(Str_Operations_Missing);
    if (!In_Range(Int_Or_Minus_One(row.TimeOut), 0, Max_TimeOut))
        return text(Str_TimeOut_Range);
    return std::nullopt;
}

bool Has_Address(const HART_Variable_Row& row) {
    return !row.Device_Address.trimmed().isEmpty();
}

QString Check_Text(bool checked) {
    return checked ? QStringLiteral("Y") : QStringLiteral("N");
}

// The dialog's defaults: check boxes read unchecked only from exactly "N", so a missing
// attribute reads checked; a missing Type is "Var", a missing Operations "None".
HART_Variable_Texts Dialog_Defaults() {
    HART_Variable_Texts defaults;
    defaults.Enable = defaults.Swap = defaults.ConvInt = QStringLiteral("Y");
    defaults.Var_Cmd_Type = QStringLiteral("Var");
    defaults.Var_Operation = QStringLiteral("None");
    return defaults;
}

bool Is_Checked(const QString& text) {
    return text != QLatin1String("N");
}

HART_Variable_Row To_Grid_Row(const HART_Variable_Texts& texts) {
    HART_Variable_Row row;
    row.Enable = Is_Checked(texts.Enable);
    row.Device_Address = texts.Device_Address;
    row.Preamble_Count = texts.Preamble_Count;
    row.Var_Cmd_Type = Get_Type(texts.Var_Cmd_Type);
    row.Var_Cmd_Number = texts.Var_Cmd_Number;
    row.Cmd_Params = texts.Cmd_Params;
    row.Position = texts.Position;
    row.Swap = Is_Checked(texts.Swap);
    row.Conv_Int = Is_Checked(texts.ConvInt);
    row.Var_Operation = Get_Operation(texts.Var_Operation);
    row.TimeOut = texts.TimeOut;
    row.Mnemonic = texts.Mnemonic;
    return row;
}

HART_Variable_Texts To_File_Texts(const HART_Variable_Row& row) {
    HART_Variable_Texts texts;
    texts.Enable = Check_Text(row.Enable);
    texts.Device_Address = row.Device_Address;
    texts.Preamble_Count = row.Preamble_Count;
    texts.Var_Cmd_Type = row.Var_Cmd_Type;
    texts.Var_Cmd_Number = row.Var_Cmd_Number;
    texts.Cmd_Params = row.Cmd_Params;
    texts.Position = row.Position;
    texts.Swap = Check_Text(row.Swap);
    texts.ConvInt = Check_Text(row.Conv_Int);
    texts.Var_Operation = row.Var_Operation;
    texts.TimeOut = row.TimeOut;
    texts.Mnemonic = row.Mnemonic;
    return texts;
}

// No cell of the table is ever near this long (Params hold at most 500 characters); a longer
// text is a damaged file and would only freeze the grid.
constexpr qsizetype Max_Cell_Characters = 1000;

// The first cell of the rows beyond the cell limit, named with its row, or an empty text.
QString Too_Long_Cell(const QList<HART_Variable_Texts>& rows) {
    QString found;
    for (qsizetype i = 0; i < rows.size() && found.isEmpty(); ++i) {
        HART_Variable_Texts row = rows[i];
        Visit_HART_Attributes(row, [&](const char* name, QString& text) {
            if (found.isEmpty() && text.size() > Max_Cell_Characters)
                found =
                    QStringLiteral("row %1, %2: %3 characters, more than the %4 a cell may hold")
                        .arg(i + 1)
                        .arg(QString::fromLatin1(name))
                        .arg(text.size())
                        .arg(Max_Cell_Characters);
        });
    }
    return found;
}

void Write_Row(pugi::xml_node table, const HART_Variable_Row& row) {
    pugi::xml_node node = table.append_child("row");
    const HART_Variable_Texts texts = To_File_Texts(row);
    Visit_HART_Attributes(
        texts, [&](const char* name, const QString& text) { project::Set_Attr(node, name, text); });
}

QString File_Error(const QString& path, const QString& what) {
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), what);
}

} // namespace

const QStringList& Type_SL() {
    static const QStringList choices{QStringLiteral("Var"), QStringLiteral("Var Burst"),
                                     QStringLiteral("Command")};
    return choices;
}

const QStringList& Operations_SL() {
    static const QStringList choices{QStringLiteral("None"),     QStringLiteral("x 10"),
                                     QStringLiteral("x 100"),    QStringLiteral("x 1000"),
                                     QStringLiteral("x 10000"),  QStringLiteral("x 100000"),
                                     QStringLiteral("x 1000000")};
    return choices;
}

QString Get_Type(const QString& text) {
    return Type_SL().contains(text) ? text : QString();
}

QString Get_Operation(const QString& text) {
    return Operations_SL().contains(text) ? text : QString();
}

bool Is_Command_Row(const HART_Variable_Row& row) {
    return row.Var_Cmd_Type.trimmed() == QLatin1String("Command");
}

std::optional<qint64> Parse_HART_Address(const QString& text) {
    return project::Parse_Int64(text);
}

std::vector<uint8_t> Request_Bytes(const QString& text) {
    const QString hex = text.trimmed();
    std::vector<uint8_t> bytes(static_cast<size_t>(hex.size() / 2));
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int high = project::Hex_Digit(hex[static_cast<qsizetype>(2 * i)]);
        const int low = project::Hex_Digit(hex[static_cast<qsizetype>(2 * i + 1)]);
        bytes[i] = (high < 0 || low < 0) ? 0 : static_cast<uint8_t>(high * 16 + low);
    }
    return bytes;
}

HART_Texts_Load Read_HART_Variable_Texts(const QString& path, const HART_Variable_Texts& defaults,
                                         qsizetype max_rows) {
    HART_Texts_Load load;
    pugi::xml_document doc;
    load.status = project::Load_Xml_File(path, doc, load.error);
    if (load.status != project::Load_Status::Loaded)
        return load;
    load.status = project::Load_Status::Failed;
    const pugi::xml_node root = project::Root_Node(doc);
    if (std::string_view(root.name()) != Root_Element) {
        load.error = File_Error(path, QStringLiteral("element HART is missing"));
        return load;
    }
    const pugi::xml_node table = project::Child(root, Table_Element);
    if (!table) {
        load.error = File_Error(path, QStringLiteral("table HART_Variables is missing"));
        return load;
    }
    for (const pugi::xml_node node : table.children()) {
        if (node.type() != pugi::node_element)
            continue;
        if (load.row_count++ >= max_rows)
            continue;
        HART_Variable_Texts texts = defaults;
        Visit_HART_Attributes(texts, [&](const char* name, QString& text) {
            text = project::Attr_Text(node, name, text);
        });
        load.rows << texts;
    }
    load.status = project::Load_Status::Loaded;
    return load;
}

QString Too_Many_Rows(const QString& path, qsizetype row_count) {
    if (row_count <= HART_Variables_Rows)
        return {};
    return File_Error(path,
                      QStringLiteral("the table holds %1 rows, the converter polls at most %2")
                          .arg(row_count)
                          .arg(HART_Variables_Rows));
}

HART_Variables_Load Load_HART_Variables(const QString& path) {
    const HART_Texts_Load texts =
        Read_HART_Variable_Texts(path, Dialog_Defaults(), HART_Variables_Rows);
    HART_Variables_Load load;
    load.status = texts.status;
    load.error = texts.error;
    // Refused for the grid only: the compile has its own limit on what reaches the image.
    if (const QString too_long = Too_Long_Cell(texts.rows); !too_long.isEmpty()) {
        load.status = project::Load_Status::Failed;
        load.error = File_Error(path, too_long);
        return load;
    }
    for (const HART_Variable_Texts& row : texts.rows)
        load.rows << To_Grid_Row(row);
    load.dropped_rows = static_cast<int>(texts.row_count - texts.rows.size());
    return load;
}

QString Check_HART_Variables(const QList<HART_Variable_Row>& rows,
                             const lang::String_Table& texts) {
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const HART_Variable_Row& row = rows[i];
        if (!Has_Address(row) || !row.Enable)
            continue;
        if (const std::optional<QString> failure = Row_Failure(row, texts))
            return project::Row_Error(texts.Text(Str_Error_Row), static_cast<int>(i) + 1, *failure);
    }
    return {};
}

QString Save_HART_Variables(const QString& path, const QList<HART_Variable_Row>& rows) {
    pugi::xml_document doc;
    pugi::xml_node table = project::New_Document(doc, Root_Element).append_child(Table_Element);
    for (const HART_Variable_Row& row : rows) {
        if (!Has_Address(row))
            break;
        Write_Row(table, row);
    }
    return project::Save_Xml_File(doc, path);
}

QString Check_HART_Variables_Project(const QString& project_folder) {
    const QString path = project::Project_Paths::In_Folder(project_folder).HART_Variables_File;
    const HART_Variables_Load load = Load_HART_Variables(path);
    if (load.status == project::Load_Status::Failed)
        return load.error;
    const QString too_many = Too_Many_Rows(path, load.rows.size() + load.dropped_rows);
    if (!too_many.isEmpty())
        return too_many;
    return Check_HART_Variables(load.rows, lang::String_Table());
}

} // namespace hart
