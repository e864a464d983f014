#include "hart/hart_variables.h"

#include "lang/string_table.h"
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

// Unparsable numbers count as -1, which every range check refuses.
qint64 Int_Or_Minus_One(const QString& text) {
    return project::Parse_Decimal(text).value_or(-1);
}

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
    if (!In_Range(Parse_Int64(row.Device_Address).value_or(-1), 0, Max_Device_Address))
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

// Check boxes read unchecked only from exactly "N"; a missing attribute reads checked.
bool Attr_Check(pugi::xml_node row, const char* name) {
    return project::Attr_Text(row, name, QStringLiteral("Y")) != QLatin1String("N");
}

HART_Variable_Row Read_Row(pugi::xml_node node) {
    HART_Variable_Row row;
    row.Enable = Attr_Check(node, "Enable");
    row.Device_Address = project::Attr_Text(node, "Device_Address", {});
    row.Preamble_Count = project::Attr_Text(node, "Preamble_Count", {});
    row.Var_Cmd_Type = Get_Type(project::Attr_Text(node, "Var_Cmd_Type", QStringLiteral("Var")));
    row.Var_Cmd_Number = project::Attr_Text(node, "Var_Cmd_Number", {});
    row.Cmd_Params = project::Attr_Text(node, "Cmd_Params", {});
    row.Position = project::Attr_Text(node, "Position", {});
    row.Swap = Attr_Check(node, "Swap");
    row.Conv_Int = Attr_Check(node, "ConvInt");
    row.Var_Operation =
        Get_Operation(project::Attr_Text(node, "Var_Operation", QStringLiteral("None")));
    row.TimeOut = project::Attr_Text(node, "TimeOut", {});
    row.Mnemonic = project::Attr_Text(node, "Mnemonic", {});
    return row;
}

void Write_Row(pugi::xml_node table, const HART_Variable_Row& row) {
    pugi::xml_node node = table.append_child("row");
    project::Set_Attr(node, "Enable", Check_Text(row.Enable));
    project::Set_Attr(node, "Device_Address", row.Device_Address);
    project::Set_Attr(node, "Preamble_Count", row.Preamble_Count);
    project::Set_Attr(node, "Var_Cmd_Type", row.Var_Cmd_Type);
    project::Set_Attr(node, "Var_Cmd_Number", row.Var_Cmd_Number);
    project::Set_Attr(node, "Cmd_Params", row.Cmd_Params);
    project::Set_Attr(node, "Position", row.Position);
    project::Set_Attr(node, "Swap", Check_Text(row.Swap));
    project::Set_Attr(node, "ConvInt", Check_Text(row.Conv_Int));
    project::Set_Attr(node, "Var_Operation", row.Var_Operation);
    project::Set_Attr(node, "TimeOut", row.TimeOut);
    project::Set_Attr(node, "Mnemonic", row.Mnemonic);
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

std::optional<qint64> Parse_Int64(const QString& text) {
    QString digits;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = text.mid(2);
    else if (text.startsWith(u'$'))
        digits = text.mid(1);
    else
        return project::Parse_Decimal(text);
    for (const QChar c : digits)
        if (!c.isDigit() && !(c.toUpper() >= u'A' && c.toUpper() <= u'F'))
            return std::nullopt;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok, 16);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

HART_Variables_Load Load_HART_Variables(const QString& path) {
    HART_Variables_Load load;
    pugi::xml_document doc;
    load.status = project::Load_Xml_File(path, doc, load.error);
    if (load.status != project::Load_Status::Loaded)
        return load;
    const pugi::xml_node table = project::Child(project::Root_Node(doc), Table_Element);
    if (!table) {
        load.status = project::Load_Status::Failed;
        load.error = QStringLiteral("%1: the root element has no %2 element")
                         .arg(QDir::toNativeSeparators(path), QLatin1String(Table_Element));
        return load;
    }
    for (const pugi::xml_node node : table.children()) {
        if (node.type() != pugi::node_element)
            continue;
        if (load.rows.size() < HART_Variables_Rows)
            load.rows << Read_Row(node);
        else
            ++load.dropped_rows;
    }
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
    const HART_Variables_Load load =
        Load_HART_Variables(QDir(project_folder).filePath(QLatin1String(HART_Variables_File_Name)));
    if (load.status == project::Load_Status::Failed)
        return load.error;
    return Check_HART_Variables(load.rows, lang::String_Table());
}

} // namespace hart
