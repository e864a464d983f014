#include "grid_test_model.h"
#include "lang/string_table.h"
#include "project/editor_dialog.h"
#include "project/table_rows.h"
#include "project/table_snapshot.h"
#include "support/scripted_prompt.h"

#include <QTest>

using project::Grid_Kind;

Q_DECLARE_METATYPE(Grid_Kind)

namespace {

// Columns: 0 row number, 1 check box (Enable), 2 and 3 text, 4 check box.
const QSet<int> Check_Columns{1, 4};
constexpr int Columns = 5;

const QStringList Full_Table{"Y|a1|b1|N", "N|a2|b2|Y", "Y|a3|b3|Y", "Y|a4|b4|N"};
const QStringList Full_Column_Table{"Y|a1|b1|N", "N|a2|b2|", "|a3|b3|Y", "Y|a4|b4|N"};

enum class Operation { Delete, Insert };

} // namespace

Q_DECLARE_METATYPE(Operation)

class Test_Table_Rows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Move_Rows_data();
    void Move_Rows();
    void Copy_Row_Fills_Clipboard_With_Check_Marks();
    void Paste_Row_data();
    void Paste_Row();
    void Row_Operations_Keep_Read_Only_Marks();
    void Jump_Target_data();
    void Jump_Target();
    void Row_Error_Text();
    void Table_End_data();
    void Table_End();
    void Table_End_Question_Asks_Only_For_Lost_Rows();
    void Snapshot_Tells_Real_Changes();
};

void Test_Table_Rows::Move_Rows_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("preset");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");

    const auto S = Grid_Kind::String_Grid;
    const auto C = Grid_Kind::Column_Grid;
    const auto Del = Operation::Delete;
    const auto Ins = Operation::Insert;
    QTest::newRow("string delete middle, preset")
        << S << Del << 1 << true << Full_Table
        << QStringList{"Y|a1|b1|N", "Y|a3|b3|Y", "Y|a4|b4|N", "Y|||N"};
    QTest::newRow("string delete first, no preset")
        << S << Del << 0 << false << Full_Table
        << QStringList{"N|a2|b2|Y", "Y|a3|b3|Y", "Y|a4|b4|N", "N|||N"};
    QTest::newRow("string delete last only empties it")
        << S << Del << 3 << true << Full_Table
        << QStringList{"Y|a1|b1|N", "N|a2|b2|Y", "Y|a3|b3|Y", "Y|||N"};
    QTest::newRow("string insert into full table loses the last row")
        << S << Ins << 1 << true << Full_Table
        << QStringList{"Y|a1|b1|N", "Y|||N", "N|a2|b2|Y", "Y|a3|b3|Y"};
    QTest::newRow("string insert on last row only empties it")
        << S << Ins << 3 << false << Full_Table
        << QStringList{"Y|a1|b1|N", "N|a2|b2|Y", "Y|a3|b3|Y", "N|||N"};
    QTest::newRow("string blank-only texts move as they are")
        << S << Del << 0 << true << QStringList{"Y|x||N", "N| |  |Y", "N|||N", "N|||N"}
        << QStringList{"N| |  |Y", "N|||N", "N|||N", "Y|||N"};
    QTest::newRow("column delete middle empties every cell of the last row")
        << C << Del << 1 << true << Full_Column_Table
        << QStringList{"Y|a1|b1|N", "|a3|b3|Y", "Y|a4|b4|N", "|||"};
    QTest::newRow("column delete last") << C << Del << 3 << false << Full_Column_Table
                                        << QStringList{"Y|a1|b1|N", "N|a2|b2|", "|a3|b3|Y", "|||"};
    QTest::newRow("column insert first") << C << Ins << 0 << true << Full_Column_Table
                                         << QStringList{"|||", "Y|a1|b1|N", "N|a2|b2|", "|a3|b3|Y"};
    QTest::newRow("column insert last") << C << Ins << 3 << false << Full_Column_Table
                                        << QStringList{"Y|a1|b1|N", "N|a2|b2|", "|a3|b3|Y", "|||"};
}

void Test_Table_Rows::Move_Rows() {
    QFETCH(Grid_Kind, kind);
    QFETCH(Operation, operation);
    QFETCH(int, row);
    QFETCH(bool, preset);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);

    Grid_Test_Model model(kind, 4, Columns, Check_Columns);
    model.Set_Rows(before);
    if (operation == Operation::Delete)
        project::Del_Row(model.Grid(), row, preset);
    else
        project::Ins_Row(model.Grid(), row, preset);
    QCOMPARE(model.Rows(), after);
    QCOMPARE(model.Row_Numbers(), (QStringList{"1", "2", "3", "4"}));
}

void Test_Table_Rows::Copy_Row_Fills_Clipboard_With_Check_Marks() {
    project::Row_Clipboard clipboard;
    Grid_Test_Model strings(Grid_Kind::String_Grid, 4, Columns, Check_Columns);
    strings.Set_Rows(Full_Table);
    project::Copy_Row(strings.Grid(), 1, clipboard);
    QCOMPARE(clipboard.Texts, (QStringList{"N", "a2", "b2", "Y"}));
    QCOMPARE(clipboard.Checks, (QList<bool>{true, false, false, true}));

    Grid_Test_Model columns(Grid_Kind::Column_Grid, 4, Columns, Check_Columns);
    columns.Set_Rows(Full_Column_Table);
    project::Copy_Row(columns.Grid(), 1, clipboard);
    QCOMPARE(clipboard.Texts, (QStringList{"N", "a2", "b2", ""}));
}

void Test_Table_Rows::Paste_Row_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<bool>("copied");
    QTest::addColumn<QStringList>("clipboard");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("result");

    const auto S = Grid_Kind::String_Grid;
    const auto C = Grid_Kind::Column_Grid;
    const QStringList row{"N", "p", "q", "Y"};
    const QString no_copy = QStringLiteral("Error!!! Copy a valid row before Paste it");
    const QString bad_copy =
        QStringLiteral("Error in the Copy values!!! Copy a valid row before Paste it");
    QTest::newRow("string: no copy in this showing")
        << S << false << row << "Y|a||N" << QList<bool>{} << QStringList{no_copy} << 0 << "Y|a||N";
    QTest::newRow("column: no copy in this showing")
        << C << false << row << "|||" << QList<bool>{} << QStringList{no_copy} << 0 << "|||";
    QTest::newRow("clipboard of another width")
        << S << true << QStringList{"N", "p"} << "|||" << QList<bool>{} << QStringList{bad_copy}
        << 0 << "N|||N";
    QTest::newRow("string: only check boxes set, no question")
        << S << true << row << "Y|||Y" << QList<bool>{} << QStringList{} << 0 << "N|p|q|Y";
    QTest::newRow("string: used row, No keeps it")
        << S << true << row << "Y|m||N" << QList<bool>{false} << QStringList{} << 1 << "Y|m||N";
    QTest::newRow("string: used row, Yes overwrites")
        << S << true << row << "Y|m||N" << QList<bool>{true} << QStringList{} << 1 << "N|p|q|Y";
    QTest::newRow("string: blank-only cell counts as used")
        << S << true << row << "N| ||N" << QList<bool>{false} << QStringList{} << 1 << "N| ||N";
    QTest::newRow("column: blank-only cell counts as empty")
        << C << true << row << "Y|  ||" << QList<bool>{} << QStringList{} << 0 << "N|p|q|Y";
    QTest::newRow("column: text in check column alone is not use")
        << C << true << row << "Y|||N" << QList<bool>{} << QStringList{} << 0 << "N|p|q|Y";
    QTest::newRow("column: used row, No keeps it")
        << C << true << row << "|x||" << QList<bool>{false} << QStringList{} << 1 << "|x||";
}

void Test_Table_Rows::Paste_Row() {
    QFETCH(Grid_Kind, kind);
    QFETCH(bool, copied);
    QFETCH(QStringList, clipboard);
    QFETCH(QString, target);
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, errors);
    QFETCH(int, questions);
    QFETCH(QString, result);

    const lang::String_Table texts;
    const project::Row_Clipboard copied_row{clipboard, {true, false, false, true}};
    Scripted_Prompt prompt;
    prompt.answers = answers;
    Grid_Test_Model model(kind, 4, Columns, Check_Columns);
    model.Set_Row_Text(2, target);

    project::Paste_Row(model.Grid(), 2, copied, copied_row, texts, prompt);
    QCOMPARE(prompt.errors, errors);
    QCOMPARE(prompt.questions.size(), questions);
    if (questions > 0)
        QCOMPARE(prompt.questions.first(),
                 QStringLiteral("Row Already used. Do you want to overwrite the values?"));
    QCOMPARE(model.Row_Text(2), result);
}

void Test_Table_Rows::Row_Operations_Keep_Read_Only_Marks() {
    Grid_Test_Model model(Grid_Kind::String_Grid, 4, Columns, Check_Columns);
    model.Set_Rows(Full_Table);
    model.read_only.insert({1, 3});
    project::Del_Row(model.Grid(), 0, true);
    QVERIFY(!model.flags(model.index(1, 3)).testFlag(Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, 3)).testFlag(Qt::ItemIsEditable));
    QCOMPARE(model.Row_Text(1), QStringLiteral("Y|a3|b3|Y"));
}

void Test_Table_Rows::Jump_Target_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<int>("next_row");
    QTest::addColumn<int>("next_column");
    // A table of 100 rows and columns 0..12.
    QTest::newRow("next column") << 6 << 3 << true << 6 << 4;
    QTest::newRow("last column goes to the next row") << 6 << 12 << true << 7 << 1;
    QTest::newRow("last cell wraps to the first row") << 99 << 12 << true << 0 << 1;
    QTest::newRow("row-number column does not move") << 6 << 0 << false << 0 << 0;
    QTest::newRow("no current cell") << -1 << -1 << false << 0 << 0;
}

void Test_Table_Rows::Jump_Target() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, moves);
    QFETCH(int, next_row);
    QFETCH(int, next_column);
    int got_row = 0;
    int got_column = 0;
    QCOMPARE(project::Jump_Target(row, column, 100, 13, got_row, got_column), moves);
    if (moves) {
        QCOMPARE(got_row, next_row);
        QCOMPARE(got_column, next_column);
    }
}

void Test_Table_Rows::Row_Error_Text() {
    QCOMPARE(project::Row_Error("Error row ", 12, "!! Type Must be selected"),
             QStringLiteral("Error row 12!! Type Must be selected"));
}

void Test_Table_Rows::Table_End_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("end_row");
    QTest::addColumn<int>("rows_beyond");
    // The table ends at the first row whose column 2 (the "address") is blank.
    QTest::newRow("full table") << Full_Table << -1 << 0;
    QTest::newRow("end with nothing below")
        << QStringList{"Y|a1|b1|N", "Y|a2|b2|N", "Y|||N", "N|||Y"} << 2 << 0;
    QTest::newRow("row inserted in the middle")
        << QStringList{"Y|a1|b1|N", "Y|||N", "Y|a3|b3|N", "Y|a4|b4|N"} << 1 << 2;
    QTest::newRow("blank address ends the table, a note below is data")
        << QStringList{"Y| |b1|N", "Y|||N", "Y||note|N", "Y|a4||N"} << 0 << 2;
}

void Test_Table_Rows::Table_End() {
    QFETCH(QStringList, rows);
    QFETCH(int, end_row);
    QFETCH(int, rows_beyond);
    Grid_Test_Model model(Grid_Kind::String_Grid, 4, Columns, Check_Columns);
    model.Set_Rows(rows);
    const project::Table_End end = project::Find_Table_End(
        model.rowCount(),
        [&](int row) {
            return model.data(model.index(row, 2), Qt::EditRole).toString().trimmed().isEmpty();
        },
        [&](int row) { return project::Row_In_Use(model.Grid(), row); });
    QCOMPARE(end.end_row, end_row);
    QCOMPARE(end.rows_beyond, rows_beyond);
}

void Test_Table_Rows::Table_End_Question_Asks_Only_For_Lost_Rows() {
    const QString question = QStringLiteral("Row %1 ends the table, %2 rows lost?");
    Scripted_Prompt prompt;
    QVERIFY(project::Confirm_Table_End(prompt, {-1, 0}, question));
    QVERIFY(project::Confirm_Table_End(prompt, {4, 0}, question));
    QVERIFY(prompt.questions.isEmpty());

    prompt.answers = {false, true};
    QVERIFY(!project::Confirm_Table_End(prompt, {4, 3}, question));
    QVERIFY(project::Confirm_Table_End(prompt, {4, 3}, question));
    QCOMPARE(prompt.questions,
             QStringList(2, QStringLiteral("Row 5 ends the table, 3 rows lost?")));
}

void Test_Table_Rows::Snapshot_Tells_Real_Changes() {
    Grid_Test_Model model(Grid_Kind::String_Grid, 4, Columns, Check_Columns);
    model.Set_Rows(Full_Table);
    project::Table_Snapshot loaded;
    loaded.Take(model);
    QVERIFY(!loaded.Differs(model));

    const QModelIndex text = model.index(2, 2);
    model.setData(text, QStringLiteral("a3"), Qt::EditRole); // typed over with the same text
    QVERIFY(!loaded.Differs(model));
    model.setData(text, QStringLiteral("changed"), Qt::EditRole);
    QVERIFY(loaded.Differs(model));
    model.setData(text, QStringLiteral("a3"), Qt::EditRole); // and changed back
    QVERIFY(!loaded.Differs(model));

    model.setData(model.index(3, 4), Qt::Checked, Qt::CheckStateRole);
    QVERIFY(loaded.Differs(model));
}

QTEST_GUILESS_MAIN(Test_Table_Rows)
#include "test_table_rows.moc"
