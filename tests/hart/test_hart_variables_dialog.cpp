#include "app/main_window.h"
#include "app/projects.h"
#include "app/settings.h"
#include "hart/hart_variables_dialog.h"
#include "hart/hart_variables_model.h"
#include "project/table_view.h"
#include "support/scripted_prompt.h"
#include "support/temp_files.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using hart::HART_Variables_Model;
using Col = HART_Variables_Model::Column;

namespace {

const QByteArray Two_Rows = R"(<HART><HART_Variables>
<row Enable="Y" Device_Address="0x0011223344" Preamble_Count="5" Var_Cmd_Type="Command"
     Var_Cmd_Number="3" Cmd_Params="0A" Position="0" Swap="N" ConvInt="N" Var_Operation=""
     TimeOut="100" Mnemonic="cmd"/>
<row Device_Address="12" Preamble_Count="6" Var_Cmd_Type="Var Burst" Var_Cmd_Number="246"
     Position="4" Var_Operation="x 10" TimeOut="200" Mnemonic="var"/>
</HART_Variables></HART>)";

} // namespace

class Test_HART_Variables_Dialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void Show_Loads_File_And_Read_Only_Rule();
    void Show_Refuses_Unreadable_File();
    void Show_Warns_About_Rows_Beyond_100();
    void Header_Hints_And_Texts();
    void OK_Validates_Then_Saves();
    void Delete_Asks_And_Keeps_Read_Only_Marks();
    void Paste_Needs_A_Copy_In_This_Showing();
    void Type_Choice_Applies_Read_Only_Rule();
    void Params_Follow_Type_When_Editor_Opens();
    void Read_Only_Check_Box_Does_Not_Toggle();
    void Main_Window_Step_Opens_The_Dialog();
    void OK_Asks_Before_Dropping_Rows_Below_An_Empty_Address();
    void Cancel_Asks_Only_After_A_Change();
    void Opens_With_The_Grid_Focused_And_Fits_The_Screen();

private:
    QString Cell(int row, int column) const {
        return dialog_->Model().data(dialog_->Model().index(row, column), Qt::EditRole).toString();
    }
    bool Checked(int row, int column) const {
        return dialog_->Model().data(dialog_->Model().index(row, column), Qt::CheckStateRole) ==
               Qt::Checked;
    }

    QTemporaryDir dir_;
    app::Session_State state_;
    Scripted_Prompt prompt_;
    hart::TFHARTVariables* dialog_ = nullptr;
};

void Test_HART_Variables_Dialog::init() {
    state_ = app::Session_State();
    state_.SW_Code = QStringLiteral("VX20417");
    state_.HART_Variables_File = dir_.filePath(QStringLiteral("HART_Variables.xml"));
    QFile::remove(state_.HART_Variables_File);
    prompt_.Clear();
    dialog_ = new hart::TFHARTVariables(state_, prompt_);
}

void Test_HART_Variables_Dialog::cleanup() {
    delete dialog_;
}

void Test_HART_Variables_Dialog::Show_Loads_File_And_Read_Only_Rule() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    QVERIFY(prompt_.errors.isEmpty());
    QCOMPARE(Cell(0, Col::Col_Type), QStringLiteral("Command"));
    QCOMPARE(Cell(1, Col::Col_Operations), QStringLiteral("x 10"));
    QCOMPARE(Cell(1, Col::Col_Number), QStringLiteral("2"));
    // Missing Swap and ConvInt read checked; an empty row shows them unchecked.
    QVERIFY(Checked(1, Col::Col_Swap) && Checked(1, Col::Col_Conv_Int));
    QVERIFY(!Checked(2, Col::Col_Swap) && Checked(2, Col::Col_Enable));
    const HART_Variables_Model& model = dialog_->Model();
    QVERIFY(!model.Is_Read_Only(0, Col::Col_Params));
    QVERIFY(model.Is_Read_Only(0, Col::Col_Swap) && model.Is_Read_Only(0, Col::Col_Operations));
    QVERIFY(model.Is_Read_Only(1, Col::Col_Params));
    QVERIFY(!model.Is_Read_Only(1, Col::Col_Conv_Int));
    QVERIFY(model.Is_Read_Only(99, Col::Col_Params));

    // Every showing starts again from the file.
    dialog_->Model().setData(dialog_->Model().index(0, Col::Col_Mnemonic), "changed", Qt::EditRole);
    QVERIFY(dialog_->FormShow());
    QCOMPARE(Cell(0, Col::Col_Mnemonic), QStringLiteral("cmd"));
}

void Test_HART_Variables_Dialog::Show_Refuses_Unreadable_File() {
    const QByteArray broken = "<HART><HART_Variables><row></HART>";
    QVERIFY(Write_Test_File(state_.HART_Variables_File, broken));
    QCOMPARE(dialog_->Execute(), int(QDialog::Rejected));
    QCOMPARE(prompt_.errors.size(), 1);
    QVERIFY(prompt_.errors.first().contains(QStringLiteral("HART_Variables.xml")));
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(Read_Test_File(state_.HART_Variables_File), broken);
}

void Test_HART_Variables_Dialog::Show_Warns_About_Rows_Beyond_100() {
    QByteArray xml = "<HART><HART_Variables>";
    for (int i = 1; i <= 102; ++i)
        xml += "<row Device_Address=\"" + QByteArray::number(i) + "\"/>";
    xml += "</HART_Variables></HART>";
    QVERIFY(Write_Test_File(state_.HART_Variables_File, xml));
    QVERIFY(dialog_->FormShow());
    QCOMPARE(Cell(99, Col::Col_Device_Address), QStringLiteral("100"));
    QCOMPARE(prompt_.informations.size(), 1);
    QVERIFY(prompt_.informations.first().contains(QStringLiteral("102")));
}

void Test_HART_Variables_Dialog::Header_Hints_And_Texts() {
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Definition of HART Variables List"));
    QCOMPARE(dialog_->L_SW_Code->text(), QStringLiteral("VX20417"));
    QCOMPARE(dialog_->Btn_Del_Row->text(), QStringLiteral("Delete Row"));
    QCOMPARE(dialog_->Btn_Scan->text(), QStringLiteral("Scan"));
    const HART_Variables_Model& model = dialog_->Model();
    QCOMPARE(model.headerData(Col::Col_TimeOut, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("TimeOut"));
    QCOMPARE(model.headerData(Col::Col_Enable, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("Enable/Disable the Row with HART Variable"));
    QCOMPARE(model.headerData(Col::Col_TimeOut, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("Insert the TimeOut expressed in Milliseconds"));
    QCOMPARE(model.headerData(Col::Col_Mnemonic, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("Insert a Description of HART Variable or Command"));
    QVERIFY(model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty());
    QVERIFY(!model.data(model.index(3, Col::Col_Enable), Qt::ToolTipRole).isValid());
}

void Test_HART_Variables_Dialog::OK_Validates_Then_Saves() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    HART_Variables_Model& model = dialog_->Model();
    model.setData(model.index(1, Col::Col_Position), "1440", Qt::EditRole);
    dialog_->Btn_OK->click();
    QCOMPARE(prompt_.errors,
             QStringList{QStringLiteral("Error row 2!! Position Must be Between 0 and 1440")});
    QCOMPARE(Read_Test_File(state_.HART_Variables_File), Two_Rows);
    QCOMPARE(dialog_->result(), int(QDialog::Rejected));

    model.setData(model.index(1, Col::Col_Position), "1439", Qt::EditRole);
    model.setData(model.index(0, Col::Col_Enable), Qt::Unchecked, Qt::CheckStateRole);
    model.setData(model.index(3, Col::Col_Device_Address), "77", Qt::EditRole);
    model.setData(model.index(3, Col::Col_Enable), Qt::Unchecked, Qt::CheckStateRole);
    prompt_.answers = {true}; // save although row 4 lies below the empty row 3
    dialog_->Btn_OK->click();
    QCOMPARE(prompt_.errors.size(), 1);
    QCOMPARE(prompt_.questions.size(), 1);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    const hart::HART_Variables_Load saved = hart::Load_HART_Variables(state_.HART_Variables_File);
    QCOMPARE(saved.rows.size(), 2); // row 4 (disabled) lies after the empty row 3
    QCOMPARE(saved.rows[0].Enable, false);
    QCOMPARE(saved.rows[1].Position, QStringLiteral("1439"));
}

void Test_HART_Variables_Dialog::Delete_Asks_And_Keeps_Read_Only_Marks() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    HART_Variables_Model& model = dialog_->Model();
    model.setData(model.index(99, Col::Col_Mnemonic), "last", Qt::EditRole);
    dialog_->ASG->setCurrentIndex(model.index(0, Col::Col_Mnemonic));

    prompt_.answers = {false};
    dialog_->Btn_Del_Row->click();
    QCOMPARE(prompt_.questions,
             QStringList{QStringLiteral("Are you sure to delete the Row number 1")});
    QCOMPARE(Cell(0, Col::Col_Type), QStringLiteral("Command"));

    prompt_.answers = {true};
    dialog_->Btn_Del_Row->click();
    QCOMPARE(Cell(0, Col::Col_Type), QStringLiteral("Var Burst"));
    QCOMPARE(Cell(98, Col::Col_Mnemonic), QStringLiteral("last"));
    QCOMPARE(Cell(99, Col::Col_Mnemonic), QString());
    QVERIFY(Checked(99, Col::Col_Enable) && !Checked(99, Col::Col_Swap));
    // The marks stay with the grid position until the Type changes or the dialog is shown again.
    QVERIFY(!model.Is_Read_Only(0, Col::Col_Params));
    QVERIFY(model.Is_Read_Only(0, Col::Col_Swap));

    dialog_->ASG->setCurrentIndex(model.index(0, Col::Col_Mnemonic));
    dialog_->Btn_Ins_Row->click();
    QCOMPARE(Cell(0, Col::Col_Type), QString());
    QVERIFY(Checked(0, Col::Col_Enable));
    QCOMPARE(Cell(1, Col::Col_Type), QStringLiteral("Var Burst"));
}

void Test_HART_Variables_Dialog::Paste_Needs_A_Copy_In_This_Showing() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    HART_Variables_Model& model = dialog_->Model();
    dialog_->ASG->setCurrentIndex(model.index(1, Col::Col_Mnemonic));
    dialog_->Btn_Copy_Row->click();
    QVERIFY(dialog_->Do_Copy);
    QCOMPARE(state_.Row_Clipboard.Texts.size(), 12);

    QVERIFY(dialog_->FormShow());
    QVERIFY(!dialog_->Do_Copy);
    dialog_->ASG->setCurrentIndex(model.index(5, Col::Col_Mnemonic));
    dialog_->Btn_Paste_Row->click();
    QCOMPARE(prompt_.errors,
             QStringList{QStringLiteral("Error!!! Copy a valid row before Paste it")});
    QCOMPARE(Cell(5, Col::Col_Mnemonic), QString());

    dialog_->Btn_Copy_Row->click(); // empty row 6
    dialog_->ASG->setCurrentIndex(model.index(1, Col::Col_Mnemonic));
    prompt_.answers = {true};
    dialog_->Btn_Paste_Row->click();
    QCOMPARE(prompt_.questions.size(), 1);
    QCOMPARE(Cell(1, Col::Col_Device_Address), QString());
    QVERIFY(Checked(1, Col::Col_Enable) && !Checked(1, Col::Col_Swap));
}

void Test_HART_Variables_Dialog::Type_Choice_Applies_Read_Only_Rule() {
    QVERIFY(dialog_->FormShow());
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    const QModelIndex type = dialog_->Model().index(4, Col::Col_Type);
    dialog_->ASG->setCurrentIndex(type);
    dialog_->ASG->edit(type);
    auto* combo = dialog_->ASG->findChild<QComboBox*>();
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    combo->setCurrentIndex(2);
    Q_EMIT combo->activated(2);
    QCOMPARE(Cell(4, Col::Col_Type), QStringLiteral("Command"));
    const HART_Variables_Model& model = dialog_->Model();
    QVERIFY(!model.Is_Read_Only(4, Col::Col_Params));
    QVERIFY(model.Is_Read_Only(4, Col::Col_Swap) && model.Is_Read_Only(4, Col::Col_Operations));
    QVERIFY(!model.flags(model.index(4, Col::Col_Operations)).testFlag(Qt::ItemIsEditable));
}

void Test_HART_Variables_Dialog::Params_Follow_Type_When_Editor_Opens() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    HART_Variables_Model& model = dialog_->Model();
    // After the delete, row 1 holds "Var Burst" but still the editable Params of the command.
    prompt_.answers = {true};
    dialog_->ASG->setCurrentIndex(model.index(0, Col::Col_Mnemonic));
    dialog_->Btn_Del_Row->click();
    QVERIFY(!model.Is_Read_Only(0, Col::Col_Params));
    const QModelIndex params = model.index(0, Col::Col_Params);
    dialog_->ASG->setCurrentIndex(params);
    dialog_->ASG->edit(params);
    QVERIFY(model.Is_Read_Only(0, Col::Col_Params));
    QVERIFY(!dialog_->ASG->indexWidget(params));
}

void Test_HART_Variables_Dialog::Read_Only_Check_Box_Does_Not_Toggle() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    HART_Variables_Model& model = dialog_->Model();
    dialog_->ASG->setFocus();
    dialog_->ASG->setCurrentIndex(model.index(0, Col::Col_Swap)); // command row
    QTest::keyClick(dialog_->ASG, Qt::Key_Space);
    QVERIFY(!Checked(0, Col::Col_Swap));
    dialog_->ASG->setCurrentIndex(model.index(2, Col::Col_Swap)); // empty row: a variable row
    QTest::keyClick(dialog_->ASG, Qt::Key_Space);
    QVERIFY(Checked(2, Col::Col_Swap));
}

void Test_HART_Variables_Dialog::Main_Window_Step_Opens_The_Dialog() {
    QTemporaryDir program;
    app::Session_State state;
    app::Start_Session(state, program.path());
    QCOMPARE(app::Create_Project(state, QStringLiteral("Plant")), 0);
    Scripted_Prompt prompt;
    app::TFQuillonFirmWare window(state, prompt);
    QVERIFY(window.HART_Variables_Dialog());

    QVERIFY(Write_Test_File(state.HART_Variables_File, "<HART>"));
    window.Btn_HART_Variables->click();
    QCOMPARE(prompt.errors.size(), 1);
    QVERIFY(prompt.errors.first().contains(QStringLiteral("HART_Variables.xml")));

    QFile::remove(state.HART_Variables_File);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = QApplication::activeModalWidget() == window.HART_Variables_Dialog();
        window.HART_Variables_Dialog()->reject();
    });
    window.Btn_HART_Variables->click();
    QVERIFY(shown);
    QVERIFY(!QFile::exists(state.HART_Variables_File));
}

void Test_HART_Variables_Dialog::OK_Asks_Before_Dropping_Rows_Below_An_Empty_Address() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    HART_Variables_Model& model = dialog_->Model();
    model.setData(model.index(2, Col::Col_Device_Address), "0x0011223355", Qt::EditRole);
    model.setData(model.index(2, Col::Col_Preamble_Count), "5", Qt::EditRole);
    model.setData(model.index(2, Col::Col_Type), "Command", Qt::EditRole);
    model.setData(model.index(2, Col::Col_Var_Cmd_Number), "1", Qt::EditRole);
    model.setData(model.index(2, Col::Col_Position), "8", Qt::EditRole);
    model.setData(model.index(2, Col::Col_TimeOut), "100", Qt::EditRole);
    // Insert Row in the middle of three valid rows leaves rows 3 and 4 below an empty row 2.
    dialog_->ASG->setCurrentIndex(model.index(1, Col::Col_Mnemonic));
    dialog_->Btn_Ins_Row->click();
    const QByteArray original = Read_Test_File(state_.HART_Variables_File);

    prompt_.answers = {false};
    dialog_->Btn_OK->click();
    QCOMPARE(prompt_.questions,
             QStringList{QStringLiteral(
                 "Row 2 has no Device Address, so the table is saved only up to it. Rows with "
                 "data below it that would be lost: 2. Do you want to save anyway?")});
    QCOMPARE(Read_Test_File(state_.HART_Variables_File), original);
    QCOMPARE(dialog_->result(), int(QDialog::Rejected));
    QCOMPARE(dialog_->ASG->Current_Row(), 1);
    QVERIFY(dialog_->ASG->selectionModel()->isRowSelected(1, {}));
    QCOMPARE(Cell(2, Col::Col_Mnemonic), QStringLiteral("var"));
    QCOMPARE(Cell(3, Col::Col_Device_Address), QStringLiteral("0x0011223355"));

    prompt_.answers = {true};
    dialog_->Btn_OK->click();
    QCOMPARE(prompt_.questions.size(), 2);
    QVERIFY(prompt_.errors.isEmpty());
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    const hart::HART_Variables_Load saved = hart::Load_HART_Variables(state_.HART_Variables_File);
    QCOMPARE(saved.rows.size(), 1);
    QCOMPARE(saved.rows[0].Mnemonic, QStringLiteral("cmd"));

    // Nothing below the end of the table: no question.
    QVERIFY(dialog_->FormShow());
    dialog_->Btn_OK->click();
    QCOMPARE(prompt_.questions.size(), 2);
}

void Test_HART_Variables_Dialog::Cancel_Asks_Only_After_A_Change() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    HART_Variables_Model& model = dialog_->Model();
    // Typing the same text over a cell changes nothing.
    model.setData(model.index(0, Col::Col_Mnemonic), "cmd", Qt::EditRole);
    dialog_->Btn_Cancel->click();
    QVERIFY(prompt_.questions.isEmpty());
    QVERIFY(!dialog_->isVisible());

    const QString question = QStringLiteral("Do you want to exit without saving changes?");
    for (const char* way : {"Cancel", "Esc", "close box"}) {
        QVERIFY(dialog_->FormShow());
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_));
        model.setData(model.index(5, Col::Col_Enable), Qt::Unchecked, Qt::CheckStateRole);
        const auto leave = [&] {
            if (qstrcmp(way, "Cancel") == 0)
                dialog_->Btn_Cancel->click();
            else if (qstrcmp(way, "Esc") == 0)
                QTest::keyClick(dialog_, Qt::Key_Escape);
            else
                dialog_->close();
        };
        prompt_.Clear();
        prompt_.answers = {false, true};
        leave();
        QCOMPARE(prompt_.questions, QStringList{question});
        QVERIFY2(dialog_->isVisible(), way);
        QVERIFY(!Checked(5, Col::Col_Enable));
        leave();
        QCOMPARE(prompt_.questions.size(), 2);
        QVERIFY2(!dialog_->isVisible(), way);
        QCOMPARE(dialog_->result(), int(QDialog::Rejected));
    }
    QCOMPARE(Read_Test_File(state_.HART_Variables_File), Two_Rows);
}

void Test_HART_Variables_Dialog::Opens_With_The_Grid_Focused_And_Fits_The_Screen() {
    QVERIFY(Write_Test_File(state_.HART_Variables_File, Two_Rows));
    QVERIFY(dialog_->FormShow());
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
    QTRY_COMPARE(QApplication::focusWidget(), dialog_->ASG);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(prompt_.questions.isEmpty()); // Space is the grid's, never Delete Row's

    // A read-only cell can still be selected.
    const QModelIndex params = dialog_->Model().index(1, Col::Col_Params);
    QVERIFY(dialog_->Model().Is_Read_Only(1, Col::Col_Params));
    dialog_->ASG->scrollTo(params);
    QTest::mouseClick(dialog_->ASG->viewport(), Qt::LeftButton, {},
                      dialog_->ASG->visualRect(params).center());
    QCOMPARE(dialog_->ASG->currentIndex(), params);

    const QRect screen = dialog_->screen()->availableGeometry();
    QVERIFY(dialog_->width() <= screen.width() && dialog_->height() <= screen.height());
    QVERIFY(dialog_->minimumWidth() > 0 && dialog_->minimumHeight() > 0);
    for (QPushButton* button : {dialog_->Btn_OK, dialog_->Btn_Cancel, dialog_->Btn_Scan})
        QVERIFY(dialog_->rect().contains(button->geometry()));
    QVERIFY(dialog_->Btn_Del_Row->toolTip().isEmpty()); // its hint text is blank
}

QTEST_MAIN(Test_HART_Variables_Dialog)
#include "test_hart_variables_dialog.moc"
