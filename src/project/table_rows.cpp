#include "project/table_rows.h"

#include "lang/string_table.h"
#include "project/user_prompt.h"

namespace project {

namespace {

constexpr int First_Data_Column = 1;
constexpr int Preset_Column = 1;

int Last_Column(const Table_Grid& grid) {
    return grid.model.columnCount() - 1;
}

int Data_Column_Count(const Table_Grid& grid) {
    return grid.model.columnCount() - First_Data_Column;
}

QModelIndex Cell(const Table_Grid& grid, int row, int column) {
    return grid.model.index(row, column);
}

bool Has_Check_Box(const Table_Grid& grid, int row, int column) {
    return grid.model.flags(Cell(grid, row, column)).testFlag(Qt::ItemIsUserCheckable);
}

// A string-grid check-box cell is read and written through its state, every other cell
// through its text.
bool Uses_Check_State(const Table_Grid& grid, int row, int column) {
    return grid.kind == Grid_Kind::String_Grid && Has_Check_Box(grid, row, column);
}

QString Text(const Table_Grid& grid, int row, int column) {
    return grid.model.data(Cell(grid, row, column), Qt::EditRole).toString();
}

void Set_Text(Table_Grid& grid, int row, int column, const QString& text) {
    grid.model.setData(Cell(grid, row, column), text, Qt::EditRole);
}

bool Checked(const Table_Grid& grid, int row, int column) {
    return grid.model.data(Cell(grid, row, column), Qt::CheckStateRole).toInt() == Qt::Checked;
}

void Set_Checked(Table_Grid& grid, int row, int column, bool checked) {
    grid.model.setData(Cell(grid, row, column), checked ? Qt::Checked : Qt::Unchecked,
                       Qt::CheckStateRole);
}

// Per cell: a string-grid check box follows the source's state when the source carries one,
// otherwise the source's text is copied.
void Copy_Row_Contents(Table_Grid& grid, int from, int to) {
    for (int column = First_Data_Column; column <= Last_Column(grid); ++column) {
        if (Uses_Check_State(grid, from, column))
            Set_Checked(grid, to, column, Checked(grid, from, column));
        else
            Set_Text(grid, to, column, Text(grid, from, column));
    }
}

void Empty_Row(Table_Grid& grid, int row, bool preset) {
    for (int column = First_Data_Column; column <= Last_Column(grid); ++column) {
        if (Uses_Check_State(grid, row, column))
            Set_Checked(grid, row, column, preset && column == Preset_Column);
        else
            Set_Text(grid, row, column, QString());
    }
}

bool Valid_Row(const Table_Grid& grid, int row) {
    return row >= 0 && row < grid.model.rowCount();
}

} // namespace

void Del_Row(Table_Grid grid, int row, bool preset) {
    if (!Valid_Row(grid, row))
        return;
    const int last = grid.model.rowCount() - 1;
    for (int k = row; k < last; ++k)
        Copy_Row_Contents(grid, k + 1, k);
    Empty_Row(grid, last, preset);
}

void Ins_Row(Table_Grid grid, int row, bool preset) {
    if (!Valid_Row(grid, row))
        return;
    const int last = grid.model.rowCount() - 1;
    for (int k = last - 1; k >= row; --k)
        Copy_Row_Contents(grid, k, k + 1);
    Empty_Row(grid, row, preset);
}

void Copy_Row(Table_Grid grid, int row, Row_Clipboard& clipboard) {
    if (!Valid_Row(grid, row))
        return;
    clipboard.Clear();
    for (int column = First_Data_Column; column <= Last_Column(grid); ++column) {
        const bool check_state = Uses_Check_State(grid, row, column);
        if (check_state)
            clipboard.Texts << (Checked(grid, row, column) ? QStringLiteral("Y")
                                                           : QStringLiteral("N"));
        else
            clipboard.Texts << Text(grid, row, column);
        clipboard.Checks << check_state;
    }
}

bool Row_In_Use(Table_Grid grid, int row) {
    for (int column = First_Data_Column; column <= Last_Column(grid); ++column) {
        if (Has_Check_Box(grid, row, column))
            continue;
        const QString text = Text(grid, row, column);
        const bool used =
            grid.kind == Grid_Kind::Column_Grid ? !text.trimmed().isEmpty() : !text.isEmpty();
        if (used)
            return true;
    }
    return false;
}

bool Paste_Row(Table_Grid grid, int row, bool copied, const Row_Clipboard& clipboard,
               const lang::String_Table& texts, User_Prompt& prompt) {
    if (!copied) {
        prompt.Error(texts.Text(Str_Copy_Before_Paste));
        return false;
    }
    if (clipboard.Texts.size() != Data_Column_Count(grid) || !Valid_Row(grid, row)) {
        prompt.Error(texts.Text(Str_Copy_Values_Error));
        return false;
    }
    if (Row_In_Use(grid, row) && !prompt.Ask_Yes_No(texts.Text(Str_Row_Already_Used)))
        return false;
    for (int column = First_Data_Column; column <= Last_Column(grid); ++column) {
        const int index = column - First_Data_Column;
        const QString& text = clipboard.Texts[index];
        const bool marked = grid.kind == Grid_Kind::String_Grid &&
                            index < clipboard.Checks.size() && clipboard.Checks[index];
        if (marked)
            Set_Checked(grid, row, column, text == QLatin1String("Y"));
        else
            Set_Text(grid, row, column, text);
    }
    return true;
}

Table_End Find_Table_End(int row_count, const std::function<bool(int)>& ends_table,
                         const std::function<bool(int)>& holds_data) {
    Table_End end;
    for (int row = 0; row < row_count; ++row) {
        if (end.end_row < 0) {
            if (ends_table(row))
                end.end_row = row;
        } else if (holds_data(row)) {
            ++end.rows_beyond;
        }
    }
    return end;
}

QString Row_Error(const QString& error_row_text, int table_row, const QString& check_text) {
    return error_row_text + QString::number(table_row) + check_text;
}

bool Jump_Target(int row, int column, int row_count, int column_count, int& next_row,
                 int& next_column) {
    if (column < First_Data_Column || column >= column_count || row < 0 || row >= row_count)
        return false;
    if (column < column_count - 1) {
        next_row = row;
        next_column = column + 1;
    } else {
        next_row = row + 1 < row_count ? row + 1 : 0;
        next_column = First_Data_Column;
    }
    return true;
}

} // namespace project
