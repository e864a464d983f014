#include "project/table_view.h"

#include "project/table_rows.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolTip>

namespace project {

namespace {

constexpr int Row_Number_Column = 0;

bool Is_Enter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A header hint made only of blanks (a text missing from a language file) shows nothing.
bool Blank_Header_Hint(const QHeaderView& header, const QHelpEvent& help) {
    if (!header.model())
        return false;
    const int section = header.logicalIndexAt(help.pos());
    return section >= 0 && header.model()
                               ->headerData(section, header.orientation(), Qt::ToolTipRole)
                               .toString()
                               .trimmed()
                               .isEmpty();
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
    // Pixel scrolling lets a column slide out from under the frozen row numbers.
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    // Every double click on the header row, on a cell or on its border, follows the user's
    // auto-size preference; the view's own fitting on a border double click would ignore it.
    disconnect(horizontalHeader(), SIGNAL(sectionHandleDoubleClicked(int)), this,
               SLOT(resizeColumnToContents(int)));
    for (auto signal :
         {&QHeaderView::sectionDoubleClicked, &QHeaderView::sectionHandleDoubleClicked})
        connect(horizontalHeader(), signal, this,
                [this](int column) { Auto_Size_Col(*this, preferences_(), 0, column); });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == Row_Number_Column)
            selectRow(index.row());
    });
    horizontalHeader()->viewport()->installEventFilter(this);
    Build_Row_Numbers();
}

void Table_View::Build_Row_Numbers() {
    row_numbers_ = new QTableView(this);
    row_numbers_->setObjectName(QStringLiteral("Row_Numbers"));
    row_numbers_->setFocusPolicy(Qt::NoFocus);
    row_numbers_->verticalHeader()->hide();
    row_numbers_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    row_numbers_->horizontalHeader()->setHighlightSections(false);
    row_numbers_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    row_numbers_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    row_numbers_->setVerticalScrollMode(ScrollPerPixel);
    row_numbers_->setEditTriggers(NoEditTriggers);
    row_numbers_->setFrameShape(QFrame::NoFrame);
    viewport()->stackUnder(row_numbers_);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, row_numbers_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(row_numbers_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int) {
        if (column == Row_Number_Column)
            Place_Row_Numbers();
    });
    // A click on a row number selects the row and leaves the keyboard with the grid.
    connect(row_numbers_, &QTableView::pressed, this, [this](const QModelIndex& index) {
        setFocus(Qt::MouseFocusReason);
        setCurrentIndex(index);
        selectRow(index.row());
    });
}

void Table_View::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    row_numbers_->setModel(model);
    row_numbers_->setSelectionModel(selectionModel());
    Show_Only_Row_Numbers();
    if (model) {
        connect(model, &QAbstractItemModel::columnsInserted, this,
                &Table_View::Show_Only_Row_Numbers);
        connect(model, &QAbstractItemModel::modelReset, this, &Table_View::Show_Only_Row_Numbers);
    }
    Place_Row_Numbers();
}

void Table_View::setSelectionModel(QItemSelectionModel* selection_model) {
    QTableView::setSelectionModel(selection_model);
    if (row_numbers_ && row_numbers_->model() == selection_model->model())
        row_numbers_->setSelectionModel(selection_model);
}

void Table_View::Show_Only_Row_Numbers() {
    if (!model())
        return;
    for (int column = 0; column < model()->columnCount(); ++column)
        row_numbers_->setColumnHidden(column, column != Row_Number_Column);
}

void Table_View::Place_Row_Numbers() {
    if (!row_numbers_)
        return;
    row_numbers_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    row_numbers_->setColumnWidth(Row_Number_Column, columnWidth(Row_Number_Column));
    row_numbers_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    row_numbers_->setVisible(model() && !isColumnHidden(Row_Number_Column));
    row_numbers_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(),
                              columnWidth(Row_Number_Column),
                              viewport()->height() + horizontalHeader()->height());
    row_numbers_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void Table_View::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    Place_Row_Numbers();
}

void Table_View::updateGeometries() {
    QTableView::updateGeometries();
    Place_Row_Numbers();
}

void Table_View::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() == Row_Number_Column) {
        // The row numbers are always in sight: only the rows may scroll for them.
        horizontalScrollBar()->setValue(sideways);
        return;
    }
    const int hidden = columnWidth(Row_Number_Column) - visualRect(index).left();
    if (hidden > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

bool Table_View::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && watched == horizontalHeader()->viewport() &&
        Blank_Header_Hint(*horizontalHeader(), *static_cast<QHelpEvent*>(event))) {
        QToolTip::hideText();
        return true;
    }
    return QTableView::eventFilter(watched, event);
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
