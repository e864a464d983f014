#include "app/main_window.h"
#include "app/projects.h"
#include "app/settings.h"
#include "bacnet/bacnet_access_dialog.h"
#include "bacnet/bacnet_access_model.h"
#include "bacnet/eng_unit_dialog.h"
#include "bacnet_fixtures.h"
#include "project/table_view.h"
#include "support/scripted_prompt.h"
#include "support/temp_files.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using bacnet::Access_Table;
using bacnet::BACnet_Access_Model;
using Col = BACnet_Access_Model::Column;

class Test_BACnet_Access_Dialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void Show_Loads_File_With_Swap_Defaults();
    void Row_Count_Follows_Description_Option();
    void Show_Refuses_Bad_Input();
    void Show_Warns_About_Rows_Beyond_The_Table();
    void Texts_Come_From_The_String_Table();
    void Copy_On_One_Page_Paste_On_The_Other_Refused();
    void Delete_Asks_With_Row_Number();
    void Data_Type_Choice_Presets_Length();
    void Unit_Picker_Takes_Selected_Unit();
    void Unit_Picker_Cancel_And_Typed_Number();
    void OK_Validates_Then_Saves();
    void OK_Asks_Before_Dropping_Rows();
    void Cancel_Asks_Only_After_Changes();
    void Main_Window_Steps();

private:
    QString Cell(Access_Table table, int row, int column) const {
        const BACnet_Access_Model& model = dialog_->Model(table);
        return model.data(model.index(row, column), Qt::EditRole).toString();
    }
    void Set_Cell(Access_Table table, int row, int column, const QString& text) {
        BACnet_Access_Model& model = dialog_->Model(table);
        model.setData(model.index(row, column), text, Qt::EditRole);
    }
    void Fill_Row(Access_Table table, int row, const QString& type) {
        const bacnet::BACnet_Access_Row values = Grid_Row(type);
        const QStringList texts{values.Data_Type, values.Eng_Unit, values.Position, values.Bit,
                                values.Length,    values.Swap,     values.SwapWord, "m"};
        for (int column = 1; column < Col::Column_Count; ++column)
            Set_Cell(table, row, column, texts[column - 1]);
    }
    void Double_Click(project::Table_View* grid, int row, int column) {
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    QTemporaryDir dir_;
    app::Session_State state_;
    Scripted_Prompt prompt_;
    bacnet::TFBACnetSlaveSetAccess* dialog_ = nullptr;
};

void Test_BACnet_Access_Dialog::init() {
    state_ = app::Session_State();
    state_.SW_Code = QStringLiteral("VX20417");
    state_.ParGen_File = dir_.filePath(QStringLiteral("ParGen.xml"));
    state_.BACnet_Slave_File = dir_.filePath(QStringLiteral("BACnet_Slave.xml"));
    QFile::remove(state_.ParGen_File);
    QFile::remove(state_.BACnet_Slave_File);
    prompt_.Clear();
    dialog_ = new bacnet::TFBACnetSlaveSetAccess(state_, prompt_);
}

void Test_BACnet_Access_Dialog::cleanup() {
    delete dialog_;
}

void Test_BACnet_Access_Dialog::Show_Loads_File_With_Swap_Defaults() {
    QVERIFY(Write_Test_File(
        state_.BACnet_Slave_File,
        Access_File({R"(<row Data_Type="Analog Input" Eng_Unit="62" Position="3" Bit="" )"
                     R"(Length="4" Mnemonic="T"/>)"},
                    {Access_Row("Analog Out", "7", "2", "O")})));
    QVERIFY(dialog_->FormShow());
    QCOMPARE(dialog_->Model(Access_Table::Read).rowCount(), 2000);
    QCOMPARE(Cell(Access_Table::Read, 0, Col::Col_Position), QStringLiteral("3"));
    QCOMPARE(Cell(Access_Table::Read, 0, Col::Col_Swap), QStringLiteral("N"));
    QCOMPARE(Cell(Access_Table::Read, 0, Col::Col_Swap_Word), QStringLiteral("N"));
    QCOMPARE(Cell(Access_Table::Write, 0, Col::Col_Mnemonic), QStringLiteral("O"));
    QCOMPARE(Cell(Access_Table::Read, 1, Col::Col_Data_Type), QString());
    QCOMPARE(dialog_->NByte_IN, 1440);
    QCOMPARE(dialog_->NByte_OUT, 1440);
    QCOMPARE(dialog_->PC_BACnet->currentIndex(), 0);
    // Saved back untouched, with both swap boxes written "N".
    dialog_->bitbtn1Click();
    QVERIFY(prompt_.errors.isEmpty());
    QVERIFY(Read_Test_File(state_.BACnet_Slave_File)
                .contains(R"(Length="4" Swap="N" SwapWord="N" Mnemonic="T")"));
}

void Test_BACnet_Access_Dialog::Row_Count_Follows_Description_Option() {
    QVERIFY(Write_Test_File(state_.ParGen_File,
                            Par_Gen_File("<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>")));
    QVERIFY(dialog_->FormShow());
    QVERIFY(dialog_->Desc_Lenght);
    QCOMPARE(dialog_->Model(Access_Table::Write).rowCount(), 1000);
    QVERIFY(Write_Test_File(state_.ParGen_File, "<Par_Gen><BACnet_Desc"));
    QVERIFY(dialog_->FormShow());
    QVERIFY(!dialog_->Desc_Lenght);
    QCOMPARE(dialog_->Model(Access_Table::Read).rowCount(), 2000);
}

void Test_BACnet_Access_Dialog::Show_Refuses_Bad_Input() {
    QVERIFY(Write_Test_File(
        state_.BACnet_Slave_File,
        Access_File({Access_Row("Analog Input"), R"(<row Data_Type="Analog Input" Eng_Unit="1" )"
                                                 R"(Position="0" Bit="0" Mnemonic=""/>)"},
                    {})));
    QCOMPARE(dialog_->Execute(), int(QDialog::Rejected));
    QCOMPARE(prompt_.errors.size(), 1);
    QVERIFY2(prompt_.errors.first().contains("BACnet_Slave.xml") &&
                 prompt_.errors.first().contains(
                     "table BACnet_in_Read, row 2: attribute Length is missing"),
             qPrintable(prompt_.errors.first()));
}

void Test_BACnet_Access_Dialog::Show_Warns_About_Rows_Beyond_The_Table() {
    QVERIFY(Write_Test_File(state_.ParGen_File,
                            Par_Gen_File("<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>")));
    QVERIFY(Write_Test_File(state_.BACnet_Slave_File,
                            Access_File({}, QStringList(1002, Access_Row("Analog Out")))));
    QVERIFY(dialog_->FormShow());
    QCOMPARE(prompt_.informations.size(), 1);
    QCOMPARE(prompt_.informations.first(),
             QStringLiteral("BACnet_Slave.xml holds 1002 rows in \"BACnet in Write\": the table "
                            "shows the first 1000, the other 2 will be dropped on the next save."));
    QCOMPARE(Cell(Access_Table::Write, 999, Col::Col_Data_Type), QStringLiteral("Analog Out"));
}

void Test_BACnet_Access_Dialog::Texts_Come_From_The_String_Table() {
    state_.String_Table.Set(1308, QStringLiteral("Lettura"));
    state_.String_Table.Set(1326, QStringLiteral("Unita"));
    dialog_->Set_Lang();
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("BACnet Set Access"));
    QCOMPARE(dialog_->PC_BACnet->tabText(0), QStringLiteral("Lettura"));
    QCOMPARE(dialog_->PC_BACnet->tabText(1), QStringLiteral("BACnet in Write"));
    QCOMPARE(dialog_->Model(Access_Table::Write).headerData(2, Qt::Horizontal, Qt::DisplayRole),
             QVariant(QStringLiteral("Unita")));
    QCOMPARE(dialog_->Model(Access_Table::Read).headerData(7, Qt::Horizontal, Qt::DisplayRole),
             QVariant(QStringLiteral("Swap Word")));
    QCOMPARE(dialog_->Btn_CopyRow->toolTip(),
             QStringLiteral("Copy all Fields of the Selected Row"));
    QVERIFY(dialog_->Btn_DelRow->toolTip().isEmpty());
    QCOMPARE(dialog_->Unit_Picker()->Btn_Select_Eng_Unit->text(),
             QStringLiteral("Select Engineering Unit"));
}

void Test_BACnet_Access_Dialog::Copy_On_One_Page_Paste_On_The_Other_Refused() {
    QVERIFY(dialog_->FormShow());
    Fill_Row(Access_Table::Read, 0, "Analog Input");
    dialog_->ACG_BACnet_in_Read->setCurrentIndex(
        dialog_->Model(Access_Table::Read).index(0, Col::Col_Mnemonic));
    dialog_->Btn_CopyRow->click();
    QVERIFY(dialog_->Do_Copy_Read && !dialog_->Do_Copy_Write);

    dialog_->PC_BACnet->setCurrentIndex(1);
    dialog_->ACG_BACnet_in_Write->setCurrentIndex(
        dialog_->Model(Access_Table::Write).index(3, Col::Col_Data_Type));
    dialog_->Btn_PasteRow->click();
    QCOMPARE(prompt_.errors, QStringList{"Error!!! Copy a valid row before Paste it"});
    QCOMPARE(Cell(Access_Table::Write, 3, Col::Col_Data_Type), QString());

    dialog_->PC_BACnet->setCurrentIndex(0);
    dialog_->ACG_BACnet_in_Read->setCurrentIndex(
        dialog_->Model(Access_Table::Read).index(5, Col::Col_Data_Type));
    dialog_->Btn_PasteRow->click();
    QCOMPARE(Cell(Access_Table::Read, 5, Col::Col_Data_Type), QStringLiteral("Analog Input"));

    // A new showing forgets the copy.
    QVERIFY(dialog_->FormShow());
    QVERIFY(!dialog_->Do_Copy_Read && !dialog_->Do_Copy_Write);
}

void Test_BACnet_Access_Dialog::Delete_Asks_With_Row_Number() {
    QVERIFY(dialog_->FormShow());
    Fill_Row(Access_Table::Write, 0, "Analog Out");
    Fill_Row(Access_Table::Write, 1, "Binary Out");
    dialog_->PC_BACnet->setCurrentIndex(1);
    dialog_->ACG_BACnet_in_Write->setCurrentIndex(
        dialog_->Model(Access_Table::Write).index(0, Col::Col_Position));
    dialog_->Btn_DelRow->click();
    QCOMPARE(prompt_.questions, QStringList{"Are you sure to delete the Row number 1"});
    QCOMPARE(Cell(Access_Table::Write, 0, Col::Col_Data_Type), QStringLiteral("Analog Out"));
    prompt_.answers = {true};
    dialog_->Btn_DelRow->click();
    QCOMPARE(Cell(Access_Table::Write, 0, Col::Col_Data_Type), QStringLiteral("Binary Out"));
    QCOMPARE(Cell(Access_Table::Write, 1, Col::Col_Data_Type), QString());
}

void Test_BACnet_Access_Dialog::Data_Type_Choice_Presets_Length() {
    QVERIFY(dialog_->FormShow());
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    const auto choose = [this](Access_Table table, int row, const QString& type) {
        project::Table_View* grid = dialog_->Grid_View(table);
        dialog_->PC_BACnet->setCurrentIndex(table == Access_Table::Read ? 0 : 1);
        const QModelIndex cell = dialog_->Model(table).index(row, Col::Col_Data_Type);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        auto* combo = qobject_cast<QComboBox*>(grid->indexWidget(cell));
        QVERIFY(combo);
        QCOMPARE(combo->count(), table == Access_Table::Read ? 13 : 10);
        const int choice = combo->findText(type);
        combo->setCurrentIndex(choice);
        Q_EMIT combo->activated(choice);
        Q_EMIT grid->itemDelegate()->closeEditor(combo);
    };
    choose(Access_Table::Write, 0, "Large Analog Value");
    QCOMPARE(Cell(Access_Table::Write, 0, Col::Col_Length), QStringLiteral("8"));
    choose(Access_Table::Write, 0, "Binary Out");
    QCOMPARE(Cell(Access_Table::Write, 0, Col::Col_Length), QStringLiteral("1"));
    choose(Access_Table::Read, 0, "Analog Input");
    QCOMPARE(Cell(Access_Table::Read, 0, Col::Col_Length), QString());
    choose(Access_Table::Read, 1, "Binary Input");
    QCOMPARE(Cell(Access_Table::Read, 1, Col::Col_Length), QStringLiteral("1"));
}

void Test_BACnet_Access_Dialog::Unit_Picker_Takes_Selected_Unit() {
    QVERIFY(dialog_->FormShow());
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    bacnet::TFBACnet_Eng_Unit* picker = dialog_->Unit_Picker();
    Set_Cell(Access_Table::Read, 2, Col::Col_Eng_Unit, "62");
    QString shown_number;
    QString shown_label;
    QTimer::singleShot(0, [&] {
        shown_number = picker->E_Selected_EU->text();
        shown_label = picker->Label5->text();
        picker->CB_Select_Type->setCurrentIndex(1); // Area
        picker->CB_Select_TypeSelect();
        picker->CB_Select_Unit->setCurrentIndex(1);
        QCOMPARE(picker->Label5->text(), shown_label); // a choice alone changes nothing
        picker->Btn_Select_Eng_Unit->click();
        QCOMPARE(picker->Label5->text(), QStringLiteral("-> square-centimeters"));
        picker->Btn_OK->click();
    });
    Double_Click(dialog_->ACG_BACnet_in_Read, 2, Col::Col_Eng_Unit);
    QCOMPARE(shown_number, QStringLiteral("62"));
    QCOMPARE(shown_label, QStringLiteral("-> degrees-Celsius"));
    QCOMPARE(Cell(Access_Table::Read, 2, Col::Col_Eng_Unit), QStringLiteral("116"));

    // The category stays chosen for the next showing; the unit list starts at its first unit.
    QTimer::singleShot(0, [&] {
        shown_label = picker->Label5->text();
        QCOMPARE(picker->CB_Select_Type->currentText(), QStringLiteral("Area"));
        QCOMPARE(picker->CB_Select_Unit->currentIndex(), 0);
        picker->CB_Select_Type->setCurrentIndex(22); // Other
        picker->CB_Select_TypeSelect();
        picker->CB_Select_Unit->setCurrentIndex(29);
        picker->Btn_Select_Eng_Unit->click();
        QCOMPARE(picker->Label5->text(), QStringLiteral("-> per-mille"));
        picker->Btn_OK->click();
    });
    dialog_->PC_BACnet->setCurrentIndex(1);
    Double_Click(dialog_->ACG_BACnet_in_Write, 0, Col::Col_Eng_Unit);
    QCOMPARE(shown_label, QStringLiteral("-> unknown"));
    QCOMPARE(Cell(Access_Table::Write, 0, Col::Col_Eng_Unit), QStringLiteral("207"));
}

void Test_BACnet_Access_Dialog::Unit_Picker_Cancel_And_Typed_Number() {
    QVERIFY(dialog_->FormShow());
    bacnet::TFBACnet_Eng_Unit* picker = dialog_->Unit_Picker();
    Set_Cell(Access_Table::Read, 0, Col::Col_Eng_Unit, "95");
    QTimer::singleShot(0, [&] {
        picker->Btn_Select_Eng_Unit->click();
        picker->Btn_Cancel->click();
    });
    dialog_->Open_Unit_Picker(Access_Table::Read, 0);
    QCOMPARE(Cell(Access_Table::Read, 0, Col::Col_Eng_Unit), QStringLiteral("95"));

    QString label;
    QTimer::singleShot(0, [&] {
        picker->E_Selected_EU->setText(QStringLiteral("300"));
        label = picker->Label5->text();
        picker->Btn_OK->click();
    });
    dialog_->Open_Unit_Picker(Access_Table::Read, 0);
    QCOMPARE(label, QStringLiteral("-> no-units"));
    QCOMPARE(Cell(Access_Table::Read, 0, Col::Col_Eng_Unit), QStringLiteral("300"));
}

void Test_BACnet_Access_Dialog::OK_Validates_Then_Saves() {
    QVERIFY(dialog_->FormShow());
    Fill_Row(Access_Table::Read, 0, "Analog Input");
    Fill_Row(Access_Table::Write, 0, "Analog Out");
    Set_Cell(Access_Table::Write, 0, Col::Col_Position, "1440");
    dialog_->bitbtn1Click();
    QCOMPARE(prompt_.errors,
             QStringList{"Error row 1!! [BACnet in Write] Position must be between 0 and 1439"});
    QVERIFY(!QFile::exists(state_.BACnet_Slave_File));
    QCOMPARE(dialog_->result(), int(QDialog::Rejected));

    prompt_.Clear();
    Set_Cell(Access_Table::Write, 0, Col::Col_Position, "1436");
    dialog_->bitbtn1Click();
    QVERIFY(prompt_.errors.isEmpty());
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    const bacnet::BACnet_Access_Load saved =
        bacnet::Load_BACnet_Access(state_.BACnet_Slave_File, 2000);
    QCOMPARE(saved.tables[0].size(), 1);
    QCOMPARE(saved.tables[1].first().Position, QStringLiteral("1436"));
}

void Test_BACnet_Access_Dialog::OK_Asks_Before_Dropping_Rows() {
    QVERIFY(dialog_->FormShow());
    Fill_Row(Access_Table::Write, 0, "Analog Out");
    Fill_Row(Access_Table::Write, 2, "Analog Out");
    Fill_Row(Access_Table::Write, 3, "Analog Out");
    dialog_->bitbtn1Click();
    QCOMPARE(prompt_.questions,
             QStringList{"[BACnet in Write] Row 2 has no Data Type, so the table is saved only "
                         "up to it. Rows with data below it that would be lost: 2. Do you want "
                         "to save anyway?"});
    QVERIFY(!QFile::exists(state_.BACnet_Slave_File));
    QCOMPARE(dialog_->PC_BACnet->currentIndex(), 1);
    QCOMPARE(dialog_->ACG_BACnet_in_Write->Current_Row(), 1);

    prompt_.Clear();
    prompt_.answers = {true};
    dialog_->bitbtn1Click();
    QCOMPARE(prompt_.questions.size(), 1);
    const bacnet::BACnet_Access_Load saved =
        bacnet::Load_BACnet_Access(state_.BACnet_Slave_File, 2000);
    QCOMPARE(saved.tables[1].size(), 1);
}

void Test_BACnet_Access_Dialog::Cancel_Asks_Only_After_Changes() {
    QVERIFY(
        Write_Test_File(state_.BACnet_Slave_File, Access_File({Access_Row("Analog Input")}, {})));
    QVERIFY(dialog_->FormShow());
    dialog_->Btn_Cancel->click();
    QVERIFY(prompt_.questions.isEmpty());

    QVERIFY(dialog_->FormShow());
    Set_Cell(Access_Table::Write, 5, Col::Col_Mnemonic, "new");
    dialog_->Btn_Cancel->click();
    QCOMPARE(prompt_.questions,
             QStringList{QStringLiteral("Do you want to exit without saving changes?")});
    // Changed back: nothing to lose.
    prompt_.Clear();
    Set_Cell(Access_Table::Write, 5, Col::Col_Mnemonic, "");
    dialog_->Btn_Cancel->click();
    QVERIFY(prompt_.questions.isEmpty());
    QVERIFY(Read_Test_File(state_.BACnet_Slave_File).contains("Analog Input"));
}

void Test_BACnet_Access_Dialog::Main_Window_Steps() {
    QTemporaryDir program;
    app::Session_State state;
    app::Start_Session(state, program.path());
    QCOMPARE(app::Create_Project(state, QStringLiteral("Plant")), 0);
    Scripted_Prompt prompt;
    app::TFQuillonFirmWare window(state, prompt);
    QVERIFY(window.BACnet_Access_Dialog());

    QVERIFY(Write_Test_File(state.BACnet_Slave_File, "<BACnet_to_Modbus>"));
    window.Btn_BACnet_SetAccess->click();
    QCOMPARE(prompt.errors.size(), 1);
    QVERIFY(prompt.errors.first().contains(QStringLiteral("BACnet_Slave.xml")));

    QVERIFY(Write_Test_File(state.BACnet_Slave_File,
                            Access_File({Access_Row("Analog Input", "0", "4", "Temp")}, {})));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = QApplication::activeModalWidget() == window.BACnet_Access_Dialog();
        window.BACnet_Access_Dialog()->reject();
    });
    window.Btn_BACnet_SetAccess->click();
    QVERIFY(shown);

    // The EDE step: the save dialog starts in the project folder; ".csv" is appended.
    QString start_folder;
    QTimer::singleShot(0, [&] {
        auto* file_dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(file_dialog);
        start_folder = file_dialog->directory().absolutePath();
        file_dialog->selectFile(QDir(state.Project_Folder).filePath("objects"));
        QMetaObject::invokeMethod(file_dialog, "accept", Qt::QueuedConnection);
    });
    window.Btn_BACnet_EDE_File->click();
    QCOMPARE(QDir(start_folder), QDir(state.Project_Folder));
    const QByteArray ede = Read_Test_File(QDir(state.Project_Folder).filePath("objects.csv"));
    QVERIFY2(ede.startsWith("PROJECT_NAME; Tolmex--Plant;;;;;;\r\n"), ede.constData());
    QVERIFY2(ede.endsWith("\r\n_Temp_0;;Temp;0;0;Temp;62;\r\n"), ede.constData());
}

QTEST_MAIN(Test_BACnet_Access_Dialog)
#include "test_bacnet_access_dialog.moc"
