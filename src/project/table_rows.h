#pragma once

#include <QAbstractItemModel>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace lang {
class String_Table;
}

namespace project {

class User_Prompt;

/// @brief The table row last copied, shared by every table editor for the whole run: one text
/// per data column; Checks marks the columns copied from a string-grid check box ("Y"/"N").
struct Row_Clipboard {
    QStringList Texts;
    QList<bool> Checks;
    void Clear() {
        Texts.clear();
        Checks.clear();
    }
};

/// @brief The two table preferences every grid follows, read at the moment they apply.
struct Table_Preferences {
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;
};

/// @brief The two kinds of table grid the editors use.
/// Both are Qt models laid out as the converter's tables: model row k is table row k + 1,
/// model column 0 shows the row number, columns 1..n hold the data. A cell carries a check
/// box exactly when its flags include Qt::ItemIsUserCheckable.
enum class Grid_Kind {
    /// Every cell holds only text (Qt::EditRole); a check-box column holds "Y", "N" or "".
    Column_Grid,
    /// A check-box cell keeps its state (Qt::CheckStateRole) apart from its text.
    String_Grid,
};

struct Table_Grid {
    QAbstractItemModel& model;
    Grid_Kind kind;
};

// Shared texts of the paste checks.
inline constexpr int Str_Row_Already_Used = 1100;
inline constexpr int Str_Copy_Values_Error = 1101;
inline constexpr int Str_Copy_Before_Paste = 1102;

/// Moves rows @p row + 1 .. last up by one and empties the last row. @p preset (string grid
/// only) leaves the emptied row's column-1 check box checked.
void Del_Row(Table_Grid grid, int row, bool preset = false);

/// Moves rows @p row .. last - 1 down by one (the last row's content is lost) and empties
/// @p row, with the same @p preset rule as Del_Row.
void Ins_Row(Table_Grid grid, int row, bool preset = false);

/// Puts the row's data cells into the row clipboard (string grid: check-box cells
/// as "Y"/"N", marked in Checks).
void Copy_Row(Table_Grid grid, int row, Row_Clipboard& clipboard);

/// @brief Writes the row clipboard into @p row.
/// Refuses (error box, grid unchanged) when nothing was copied in this showing (@p copied
/// false) or the clipboard does not fit the grid; asks before overwriting a row in use.
/// Returns true when the row was written.
bool Paste_Row(Table_Grid grid, int row, bool copied, const Row_Clipboard& clipboard,
               const lang::String_Table& texts, User_Prompt& prompt);

/// True when some data cell outside the check boxes holds text: trimmed for a column grid,
/// as it stands for a string grid (a blank then counts as used).
bool Row_In_Use(Table_Grid grid, int row);

/// @brief Where the saved part of a table ends, and what lies below that end.
struct Table_End {
    /// The first row that ends the saved table (model row), -1 when no row does.
    int end_row = -1;
    /// Rows below end_row that still hold data: saving drops them.
    int rows_beyond = 0;
};

/// @brief A table file keeps its rows only down to the first row that @p ends_table (an empty
/// address, a row not in use); finds that row and counts the rows below it that @p holds_data.
Table_End Find_Table_End(int row_count, const std::function<bool(int)>& ends_table,
                         const std::function<bool(int)>& holds_data);

/// "Error row " text followed by the row number and the failed check's text.
QString Row_Error(const QString& error_row_text, int table_row, const QString& check_text);

/// @brief Where the Enter key moves the current cell: the next column of the row, after the
/// last column column 1 of the next row, after the last row back to row 0. Returns
/// false (no move) when the current cell lies in column 0 or outside the table.
bool Jump_Target(int row, int column, int row_count, int column_count, int& next_row,
                 int& next_column);

} // namespace project
