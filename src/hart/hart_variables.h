#pragma once

#include "project/xml_file.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

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

/// The table holds at most this many rows.
inline constexpr int HART_Variables_Rows = 100;
/// Size of the converter's data area: positions run from 0 to Num_Byte_Max - 1.
inline constexpr int Num_Byte_Max = 1440;

inline constexpr const char* HART_Variables_File_Name = "HART_Variables.xml";

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

/// 64-bit integer: decimal, or hexadecimal after "0x" or "$". Nothing when unparsable.
std::optional<qint64> Parse_Int64(const QString& text);

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
/// @p project_folder is missing or valid, else the message the dialog would show.
QString Check_HART_Variables_Project(const QString& project_folder);

} // namespace hart
