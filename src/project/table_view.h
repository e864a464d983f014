#pragma once

#include "project/table_rows.h"

#include <QTableView>

#include <functional>

namespace project {

/// Where a grid reads the table preferences: the options may change them while it lives.
using Table_Preferences_Source = std::function<Table_Preferences()>;

/// @brief Enter-key handler of a table grid: with Enable_Jump_Field_Tables on, Enter moves to
/// the next data cell (see Jump_Target) and is consumed, also when nothing moves. Returns true
/// when the key was consumed; with the option off or another key the grid handles it.
bool Jump_Field(QTableView& grid, const Table_Preferences& preferences, int key);

/// @brief Double click on a grid cell, @p row counted with the header as row 0: with
/// Double_Click_Auto_Size on, a header cell fits its column to the widest text. Other rows
/// never resize.
void Auto_Size_Col(QTableView& grid, const Table_Preferences& preferences, int row, int column);

/// @brief The grid of the table editors: the shared keyboard and mouse conventions (Enter
/// jump, header double click, click on the row-number column) on top of QTableView.
/// The row-number column stays in place while the grid scrolls sideways, and header hints
/// that are blank show no tooltip.
class Table_View : public QTableView {
    Q_OBJECT
public:
    explicit Table_View(Table_Preferences_Source preferences, QWidget* parent = nullptr);

    /// The current table row (0 for the first table row), or -1 when none.
    int Current_Row() const;

    /// Called whenever a cell is about to be edited, before its flags are looked at: the
    /// place for a dialog to refresh a cell's read-only mark from the rest of its row.
    std::function<void(const QModelIndex&)> Before_Edit;

    /// The frozen copy of the row-number column drawn over the left edge of the grid.
    QTableView* Row_Numbers() const { return row_numbers_; }

    void setModel(QAbstractItemModel* model) override;
    void setSelectionModel(QItemSelectionModel* selection_model) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    using QTableView::edit;

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build_Row_Numbers();
    void Place_Row_Numbers();
    void Show_Only_Row_Numbers();

    Table_Preferences_Source preferences_;
    QTableView* row_numbers_ = nullptr;
};

} // namespace project
