#include "project/table_view.h"

#include "project/table_rows.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace project {

namespace {

bool Is_Enter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

bool Jump_Field(QTableView& grid, const Table_Preferences& preferences, int key) {
    if (!preferences.Enable_Jump_Field_Tables || !Is_Enter(key) || !grid.model())
        return false;
    const QModelIndex current = grid.currentIndex();
    int row = 0;
    int column = 0;
    if (current.isValid() && Jump_Target(current.row(), current.column(), grid.model()->rowCount(),
                                         grid.model()->columnCount(), row, column))
        grid.setCurrentIndex(grid.model()->index(row, column));
    return true;
}

void Auto_Size_Col(QTableView& grid, const Table_Preferences& preferences, int row, int column) {
    if (!preferences.Double_Click_Auto_Size || row != 0)
        return;
    grid.resizeColumnToContents(column);
}

Table_View::Table_View(Table_Preferences_Source preferences, QWidget* parent)
    : QTableView(parent), preferences_(std::move(preferences)) {
    verticalHeader()->hide();
    // Every double click on the header row, on a cell or on its border, follows the user's
    // auto-size preference; the view's own fitting on a border double click would ignore it.
    disconnect(horizontalHeader(), SIGNAL(sectionHandleDoubleClicked(int)), this,
               SLOT(resizeColumnToContents(int)));
    for (auto signal :
         {&QHeaderView::sectionDoubleClicked, &QHeaderView::sectionHandleDoubleClicked})
        connect(horizontalHeader(), signal, this,
                [this](int column) { Auto_Size_Col(*this, preferences_(), 0, column); });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == 0)
            selectRow(index.row());
    });
}

int Table_View::Current_Row() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

bool Table_View::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (Before_Edit && index.isValid())
        Before_Edit(index);
    return QTableView::edit(index, trigger, event);
}

void Table_View::keyPressEvent(QKeyEvent* event) {
    // While a cell is edited, Enter closes the editor and the jump follows in closeEditor.
    if (state() == EditingState && Is_Enter(event->key()) &&
        preferences_().Enable_Jump_Field_Tables) {
        event->accept();
        return;
    }
    if (Jump_Field(*this, preferences_(), event->key())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void Table_View::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Delegates close their editor with SubmitModelCache exactly when Enter confirmed it.
    const bool by_enter = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, hint);
    if (by_enter)
        Jump_Field(*this, preferences_(), Qt::Key_Return);
}

} // namespace project
