#include "app/session_state.h"
#include "grid_test_model.h"
#include "project/dialog_header.h"
#include "project/table_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTest>
#include <QToolTip>

using project::Grid_Kind;

class Test_Table_View : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void Enter_Jumps_data();
    void Enter_Jumps();
    void Enter_Without_Option_Keeps_Cell();
    void Enter_In_Editor_Commits_And_Jumps();
    void Header_Double_Click_Fits_Column_data();
    void Header_Double_Click_Fits_Column();
    void Click_On_Row_Number_Selects_Row();
    void Row_Numbers_Stay_When_Scrolling_Sideways();
    void Header_Border_Double_Click_Selects_Nothing_data();
    void Header_Border_Double_Click_Selects_Nothing();
    void Blank_Hints_Show_No_Tooltip();

private:
    app::Session_State state_;
    Grid_Test_Model* model_ = nullptr;
    project::Table_View* view_ = nullptr;
};

void Test_Table_View::init() {
    state_ = app::Session_State();
    model_ = new Grid_Test_Model(Grid_Kind::String_Grid, 10, 5, {1, 4});
    view_ = new project::Table_View([this] { return state_.Table_Preferences(); });
    view_->setModel(model_);
    view_->resize(600, 400);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_));
}

void Test_Table_View::cleanup() {
    delete view_;
    delete model_;
}

void Test_Table_View::Enter_Jumps_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("next_row");
    QTest::addColumn<int>("next_column");
    // Table row 7 is model row 6; the last row is model row 9, the last column 4.
    QTest::newRow("next column") << 6 << 2 << 6 << 3;
    QTest::newRow("last column of row 7 to row 8") << 6 << 4 << 7 << 1;
    QTest::newRow("last cell to the first row") << 9 << 4 << 0 << 1;
    QTest::newRow("row-number column swallows the key") << 3 << 0 << 3 << 0;
}

void Test_Table_View::Enter_Jumps() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, next_row);
    QFETCH(int, next_column);
    state_.Enable_Jump_Field_Tables = true;
    view_->setCurrentIndex(model_->index(row, column));
    QTest::keyClick(view_, Qt::Key_Return);
    QCOMPARE(view_->currentIndex(), model_->index(next_row, next_column));
    QVERIFY(!view_->findChild<QLineEdit*>() || !view_->findChild<QLineEdit*>()->isVisible());
}

void Test_Table_View::Enter_Without_Option_Keeps_Cell() {
    view_->setCurrentIndex(model_->index(6, 4));
    QTest::keyClick(view_, Qt::Key_Return);
    QCOMPARE(view_->currentIndex(), model_->index(6, 4));
    QVERIFY(!project::Jump_Field(*view_, state_.Table_Preferences(), Qt::Key_Return));
    state_.Enable_Jump_Field_Tables = true;
    QVERIFY(!project::Jump_Field(*view_, state_.Table_Preferences(), Qt::Key_A));
}

void Test_Table_View::Enter_In_Editor_Commits_And_Jumps() {
    state_.Enable_Jump_Field_Tables = true;
    view_->setCurrentIndex(model_->index(2, 2));
    view_->edit(model_->index(2, 2));
    auto* editor = view_->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("typed"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(view_->currentIndex(), model_->index(2, 3));
    QCOMPARE(model_->data(model_->index(2, 2), Qt::EditRole).toString(), QStringLiteral("typed"));
}

void Test_Table_View::Header_Double_Click_Fits_Column_data() {
    QTest::addColumn<bool>("option");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("resized");
    QTest::newRow("option on, header") << true << 0 << true;
    QTest::newRow("option on, data cell") << true << 3 << false;
    QTest::newRow("option off, header") << false << 0 << false;
}

void Test_Table_View::Header_Double_Click_Fits_Column() {
    QFETCH(bool, option);
    QFETCH(int, row);
    QFETCH(bool, resized);
    state_.Double_Click_Auto_Size = option;
    model_->setData(model_->index(4, 2), QString(60, u'W'), Qt::EditRole);
    view_->setColumnWidth(2, 20);
    const int narrow = view_->columnWidth(2);
    project::Auto_Size_Col(*view_, state_.Table_Preferences(), row, 2);
    QCOMPARE(view_->columnWidth(2) > narrow, resized);
    if (resized)
        QVERIFY(view_->columnWidth(2) >= view_->fontMetrics().horizontalAdvance(QString(60, u'W')));

    // The real header double click takes the same road.
    view_->setColumnWidth(2, 20);
    QHeaderView* header = view_->horizontalHeader();
    Q_EMIT header->sectionDoubleClicked(2);
    QCOMPARE(view_->columnWidth(2) > narrow, option);
    // A double click on the border of a header cell is a double click on the header row too.
    view_->setColumnWidth(2, 20);
    Q_EMIT header->sectionHandleDoubleClicked(2);
    QCOMPARE(view_->columnWidth(2) > narrow, option);
}

void Test_Table_View::Click_On_Row_Number_Selects_Row() {
    const QRect cell = view_->visualRect(model_->index(3, 0));
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, cell.center());
    const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
    QCOMPARE(selected.size(), 5);
    for (const QModelIndex& index : selected)
        QCOMPARE(index.row(), 3);
}

void Test_Table_View::Row_Numbers_Stay_When_Scrolling_Sideways() {
    for (int column = 1; column < 5; ++column)
        view_->setColumnWidth(column, 400);
    view_->resize(600, 150);
    QTableView* numbers = view_->Row_Numbers();
    QTRY_VERIFY(numbers->isVisible());
    view_->horizontalScrollBar()->setValue(view_->horizontalScrollBar()->maximum());
    QVERIFY(view_->horizontalScrollBar()->value() > 0);
    QCOMPARE(numbers->geometry().left(), view_->frameWidth());
    QCOMPARE(numbers->width(), view_->columnWidth(0));
    QVERIFY(!numbers->isColumnHidden(0) && numbers->isColumnHidden(1));

    // The numbers follow the rows up and down.
    view_->setCurrentIndex(model_->index(9, 4));
    QVERIFY(view_->verticalScrollBar()->value() > 0);
    QCOMPARE(numbers->verticalScrollBar()->value(), view_->verticalScrollBar()->value());

    // Moving back to column 1 brings it out from under the numbers.
    view_->setCurrentIndex(model_->index(9, 1));
    QVERIFY(view_->visualRect(model_->index(9, 1)).left() >= view_->columnWidth(0));

    // A click on a frozen number selects its row; the keyboard stays with the grid.
    const QRect cell = numbers->visualRect(model_->index(8, 0));
    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(view_->selectionModel()->isRowSelected(8, {}));
    QCOMPARE(view_->Current_Row(), 8);
    QCOMPARE(numbers->focusPolicy(), Qt::NoFocus);
}

void Test_Table_View::Header_Border_Double_Click_Selects_Nothing_data() {
    QTest::addColumn<bool>("option");
    QTest::newRow("auto-size on") << true;
    QTest::newRow("auto-size off") << false;
}

void Test_Table_View::Header_Border_Double_Click_Selects_Nothing() {
    QFETCH(bool, option);
    state_.Double_Click_Auto_Size = option;
    model_->setData(model_->index(4, 2), QString(30, u'W'), Qt::EditRole);
    view_->setColumnWidth(2, 40);
    view_->clearSelection();
    QHeaderView* header = view_->horizontalHeader();
    const QPoint border(header->sectionViewportPosition(2) + header->sectionSize(2) - 1,
                        header->height() / 2);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, border);
    QVERIFY(view_->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(view_->columnWidth(2) > 40, option);
}

void Test_Table_View::Blank_Hints_Show_No_Tooltip() {
    QStandardItemModel hinted(3, 3);
    hinted.setHeaderData(1, Qt::Horizontal, QStringLiteral("A real hint"), Qt::ToolTipRole);
    hinted.setHeaderData(2, Qt::Horizontal, QStringLiteral(" "), Qt::ToolTipRole);
    view_->setModel(&hinted);
    QHeaderView* header = view_->horizontalHeader();
    const auto hover = [&](int column) {
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QHelpEvent help(QEvent::ToolTip, at, header->viewport()->mapToGlobal(at));
        QApplication::sendEvent(header->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(hover(2), QString());
    QCOMPARE(hover(1), QStringLiteral("A real hint"));
    QToolTip::hideText();
    view_->setModel(model_);

    QPushButton button;
    project::Set_Hint(&button, QStringLiteral("  "));
    QVERIFY(button.toolTip().isEmpty());
    project::Set_Hint(&button, QStringLiteral("Delete"));
    QCOMPARE(button.toolTip(), QStringLiteral("Delete"));
}

QTEST_MAIN(Test_Table_View)
#include "test_table_view.moc"
