#include "app/session_state.h"
#include "grid_test_model.h"
#include "project/table_view.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

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

QTEST_MAIN(Test_Table_View)
#include "test_table_view.moc"
