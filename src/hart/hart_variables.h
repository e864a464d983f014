#pragma once

#include "project/xml_file.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace lang {
class String_Table;
}

namespace hart {

/// One row of the HART polling list, as the grid shows it (texts as typed).
/// A default row is an empty grid row: enabled, Swap and Conv Int unchecked.
struct HART_Variable_Row {
    bool Enable = true;
    QString Device_Address;
    QString Preamble_Count;
    QString Var_Cmd_Type;
    QString Var_Cmd_Number;
    QString Cmd_Params;
    QString Position;
    bool Swap = false;
    bool Conv_Int = false;
    QString Var_Operation;
    QString TimeOut;
    QString Mnemonic;

    bool operator==(const HART_Variable_Row&) const = default;
};

/// The attribute texts of one row of `HART_Variables.xml` as they stand. Each reader gives
/// its own defaults for missing attributes: the dialog and the compile read some differently.
struct HART_Variable_Texts {
    QString Enable;
    QString Device_Address;
    QString Preamble_Count;
    QString Var_Cmd_Type;
    QString Var_Cmd_Number;
    QString Cmd_Params;
    QString Position;
    QString Swap;
    QString ConvInt;
    QString Var_Operation;
    QString TimeOut;
    QString Mnemonic;
};

/// @brief Calls @p visit(attribute_name, text) for the row's attributes in file order.
template <class Texts, class Visitor> void Visit_HART_Attributes(Texts& texts, Visitor&& visit) {
    visit("Enable", texts.Enable);
    visit("Device_Address", texts.Device_Address);
    visit("Preamble_Count", texts.Preamble_Count);
    visit("Var_Cmd_Type", texts.Var_Cmd_Type);
    visit("Var_Cmd_Number", texts.Var_Cmd_Number);
    visit("Cmd_Params", texts.Cmd_Params);
    visit("Position", texts.Position);
    visit("Swap", texts.Swap);
    visit("ConvInt", texts.ConvInt);
    visit("Var_Operation", texts.Var_Operation);
    visit("TimeOut", texts.TimeOut);
    visit("Mnemonic", texts.Mnemonic);
}

/// The table holds at most this many rows.
inline constexpr int HART_Variables_Rows = 100;

/// The Type choices; stored and compiled as they stand, never translated.
const QStringList& Type_SL();
/// The Operations choices; stored as they stand, never translated.
const QStringList& Operations_SL();

/// @p text when it is one of the Type choices exactly, else an empty text.
QString Get_Type(const QString& text);
/// @p text when it is one of the Operations choices exactly, else an empty text.
QString Get_Operation(const QString& text);

/// A command row has the Type "Command" (trimmed); every other row polls a variable.
bool Is_Command_Row(const HART_Variable_Row& row);

/// @brief The long address of a HART device: decimal, or hexadecimal after "0x" or "$";
/// nothing when unparsable. The one reading shared by the validation and the compile.
std::optional<qint64> Parse_HART_Address(const QString& text);

/// @brief Request bytes of a command row from its hexadecimal Params text: pairs from the
/// start, an invalid pair gives 0, a trailing odd character is ignored, blanks around the
/// text are dropped.
std::vector<uint8_t> Request_Bytes(const QString& text);

struct HART_Texts_Load {
    project::Load_Status status = project::Load_Status::Missing;
    QList<HART_Variable_Texts> rows; // the first rows of the table, as many as asked for
    qsizetype row_count = 0;         // rows the table holds
    QString error;                   // Failed: file and reason, for the general error box
};

/// @brief The one reader of `HART_Variables.xml`: root `HART`, table `HART_Variables`, rows
/// taken by position. Reads at most @p max_rows rows, each attribute with its text or the
/// default of @p defaults, and counts them all. A file that cannot be parsed, or that lacks
/// the root or the table, fails with an error naming the file.
HART_Texts_Load Read_HART_Variable_Texts(const QString& path, const HART_Variable_Texts& defaults,
                                         qsizetype max_rows);

/// The message refusing a file whose table holds more rows than the grid (empty when it fits).
QString Too_Many_Rows(const QString& path, qsizetype row_count);

struct HART_Variables_Load {
    project::Load_Status status = project::Load_Status::Missing;
    QList<HART_Variable_Row> rows; // at most HART_Variables_Rows
    int dropped_rows = 0;          // rows of the file beyond HART_Variables_Rows
    QString error;                 // Failed: file and reason, for the general error box
};

/// @brief Reads HART_Variables.xml: the children of `HART_Variables` by position, each
/// attribute with its default. A file that cannot be parsed, or whose root has no
/// `HART_Variables` element, fails with an error naming the file.
HART_Variables_Load Load_HART_Variables(const QString& path);

/// @brief Validates the table rows in order; empty when they may be saved, else the text of
/// the first failure ("Error row " + row number + the check's text).
/// Rows with an empty address or a cleared Enable box are skipped.
QString Check_HART_Variables(const QList<HART_Variable_Row>& rows, const lang::String_Table& texts);

/// @brief Writes the rows up to the first empty address (disabled rows with Enable "N"),
/// replacing the file atomically. Empty on success, else the message to show.
QString Save_HART_Variables(const QString& path, const QList<HART_Variable_Row>& rows);

/// @brief The HART part of the project check: empty when `HART_Variables.xml` of
/// @p project_folder is missing or valid, else the message the dialog would show, or the
/// refusal of a table with more rows than the grid holds.
QString Check_HART_Variables_Project(const QString& project_folder);

} // namespace hart
