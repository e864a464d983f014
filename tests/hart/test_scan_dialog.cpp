#include "hart/hart_scan_dialog.h"
#include "hart/hart_variables_dialog.h"
#include "hart/hart_variables_model.h"
#include "support/converter_sim.h"
#include "support/scripted_prompt.h"
#include "support/temp_files.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using hart::TFHART_Scan;
using Col = hart::HART_Variables_Model::Column;

namespace {

/// A record of the form the converter sends: address 0x261A0012AB, preamble 5, @p name,
/// and the entries @p codes (classification 64, unit 32 each).
hart::Device_Record Record(const QByteArray& name, const QList<quint8>& codes) {
    hart::Device_Record record{};
    record[1] = 0x26;
    record[2] = 0x1A;
    record[3] = 5;
    record[9] = 0x00;
    record[10] = 0x12;
    record[11] = 0xAB;
    for (int i = 0; i < name.size(); ++i)
        record[size_t(61 + i)] = quint8(name[i]);
    record[115] = quint8(codes.size());
    for (int k = 0; k < codes.size(); ++k) {
        record[size_t(119 + 3 * k)] = codes[k];
        record[size_t(120 + 3 * k)] = 64;
        record[size_t(121 + 3 * k)] = 32;
    }
    return record;
}

QStringList Visible_Buttons(const TFHART_Scan& dialog) {
    QStringList names;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->isVisibleTo(&dialog))
            names << button->objectName();
    names.sort();
    return names;
}

} // namespace

class Test_Scan_Dialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void Defaults_And_Texts();
    void Dot_Key_Moves_To_The_Next_Box();
    void Scan_Lists_The_Plant();
    void Failed_Scan_Offers_Scan_Again();
    void Closing_Mid_Scan_Stops_It();
    void Import_Fills_Rows_By_The_Overwrite_Answer_data();
    void Import_Fills_Rows_By_The_Overwrite_Answer();
    void Import_Of_Nothing_Asks_Nothing();
    void Import_Past_Row_100_Tells_What_Was_Left();
    void Scan_Button_Reads_Address_Then_Imports();

private:
    /// Starts a scan in a shown dialog against @p sim and waits for its end.
    bool Scan_With(const Converter_Sim& sim, int tick_ms = 2);

    app::Session_State state_;
    TFHART_Scan* dialog_ = nullptr;
};

void Test_Scan_Dialog::init() {
    state_ = app::Session_State();
    dialog_ = new TFHART_Scan(state_);
}

void Test_Scan_Dialog::cleanup() {
    delete dialog_;
}

bool Test_Scan_Dialog::Scan_With(const Converter_Sim& sim, int tick_ms) {
    dialog_->Options.port = sim.Port();
    dialog_->Options.tick_ms = tick_ms;
    dialog_->FormShow();
    dialog_->show();
    const QStringList octets{"127", "0", "0", "1"};
    for (int i = 0; i < 4; ++i)
        dialog_->E_Discovery_IP[size_t(i)]->setText(octets[i]);
    QTest::mouseClick(dialog_->Btn_StartScan, Qt::LeftButton);
    if (dialog_->Current_View() != TFHART_Scan::View_Waiting)
        return false;
    return QTest::qWaitFor([this] { return dialog_->Current_View() != TFHART_Scan::View_Waiting; },
                           30000);
}

void Test_Scan_Dialog::Defaults_And_Texts() {
    QCOMPARE(dialog_->windowTitle(), "HART Scan");
    QCOMPARE(dialog_->L_SW_Desc->text(), "Scan & Decode HART Network");
    QCOMPARE(dialog_->E_Discovery_IP[0]->text(), "192");
    QCOMPARE(dialog_->E_Discovery_IP[3]->text(), "107");
    QCOMPARE(dialog_->CB_Discovery_NumDevs->count(), 64);
    QCOMPARE(dialog_->CB_Discovery_NumDevs->itemText(0), "01");
    QCOMPARE(dialog_->CB_Discovery_NumDevs->currentText(), "64");
    QCOMPARE(dialog_->Btn_SelectAll->text(), "Select All");
    QCOMPARE(dialog_->Btn_StartScan->toolTip(), state_.Text(1616));
    QCOMPARE(Visible_Buttons(*dialog_), QStringList{"Btn_StartScan"});
    QCOMPARE(dialog_->Model().rowCount(), 1);
    state_.String_Table.Set(1615, QStringLiteral("Avvia"));
    dialog_->Set_Lang();
    QCOMPARE(dialog_->Btn_StartScan->text(), "Avvia");
}

void Test_Scan_Dialog::Dot_Key_Moves_To_The_Next_Box() {
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    QLineEdit* first = dialog_->E_Discovery_IP[0];
    first->setFocus();
    first->setText(QStringLiteral("10"));
    QTest::keyClick(first, '.');
    QCOMPARE(first->text(), "10");
    QTRY_COMPARE(QApplication::focusWidget(), dialog_->E_Discovery_IP[1]);
    QLineEdit* last = dialog_->E_Discovery_IP[3];
    last->setFocus();
    QTest::keyClick(last, '.');
    QCOMPARE(last->text(), "107");
}

void Test_Scan_Dialog::Scan_Lists_The_Plant() {
    Converter_Sim sim;
    QVERIFY(sim.Start());
    QVERIFY(Scan_With(sim));
    QCOMPARE(dialog_->Current_View(), TFHART_Scan::View_Results);
    QCOMPARE(dialog_->Num_Devices(), 3);
    QCOMPARE(Visible_Buttons(*dialog_), (QStringList{"Btn_Cancel", "Btn_OK", "Btn_ScanAgain",
                                                     "Btn_SelectAll", "Btn_UnSelectAll"}));
    const hart::Scan_Result_Model& model = dialog_->Model();
    QCOMPARE(model.rowCount(), 9);
    QCOMPARE(model.index(0, 2).data().toString(), "0x261A0012AB");
    QCOMPARE(model.index(0, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    // Three rows of the first device, then the second device in the other shade.
    QCOMPARE(model.index(2, 0).data(hart::Scan_Result_Model::Shade_Role).toInt(), 0);
    QCOMPARE(model.index(3, 0).data(hart::Scan_Result_Model::Shade_Role).toInt(), 1);
    QTest::mouseClick(dialog_->Btn_UnSelectAll, Qt::LeftButton);
    QVERIFY(model.Selected().isEmpty());
    QTest::mouseClick(dialog_->Btn_SelectAll, Qt::LeftButton);
    QCOMPARE(model.Selected().size(), 9);
    QTest::mouseClick(dialog_->Btn_OK, Qt::LeftButton);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    // Still readable once closed.
    QCOMPARE(dialog_->Num_Devices(), 3);
    QCOMPARE(dialog_->Model().Selected().size(), 9);
}

void Test_Scan_Dialog::Failed_Scan_Offers_Scan_Again() {
    Converter_Sim sim;
    QVERIFY(sim.Start({"--wrong-header"}));
    QVERIFY(Scan_With(sim, 1));
    QCOMPARE(dialog_->Current_View(), TFHART_Scan::View_Failed);
    QCOMPARE(dialog_->L_Discovery_Result->text(), "Search Finish with Errors");
    QCOMPARE(Visible_Buttons(*dialog_), QStringList{"Btn_ScanAgain"});
    QVERIFY(dialog_->L_Wait->isVisibleTo(dialog_));
    QCOMPARE(dialog_->Model().rowCount(), 1);
    QTest::mouseClick(dialog_->Btn_ScanAgain, Qt::LeftButton);
    QCOMPARE(dialog_->Current_View(), TFHART_Scan::View_Parameters);
    QCOMPARE(Visible_Buttons(*dialog_), QStringList{"Btn_StartScan"});
}

void Test_Scan_Dialog::Closing_Mid_Scan_Stops_It() {
    Converter_Sim sim;
    QVERIFY(sim.Start({"--polls", "1000"}));
    dialog_->Options.port = sim.Port();
    dialog_->Options.tick_ms = 1;
    dialog_->FormShow();
    dialog_->show();
    dialog_->E_Discovery_IP[0]->setText(QStringLiteral("127"));
    dialog_->E_Discovery_IP[1]->setText(QStringLiteral("0"));
    dialog_->E_Discovery_IP[2]->setText(QStringLiteral("0"));
    dialog_->E_Discovery_IP[3]->setText(QStringLiteral("1"));
    QTest::mouseClick(dialog_->Btn_StartScan, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(sim.Requests().count("F_TEST") >= 2, 20000);
    dialog_->close();
    QCOMPARE(dialog_->result(), int(QDialog::Rejected));
    QTest::qWait(100);
    const qsizetype requests = sim.Requests().size();
    QTest::qWait(400); // four status polls' worth: none may follow
    QCOMPARE(sim.Requests().size(), requests);
    QCOMPARE(dialog_->Current_View(), TFHART_Scan::View_Waiting);
}

namespace {

/// A HART variables dialog on a temporary project, whose scan dialog answers OK after
/// listing the variables of @p records, without a network.
struct Hand_Over {
    QTemporaryDir dir;
    app::Session_State state;
    Scripted_Prompt prompt;
    std::unique_ptr<hart::TFHARTVariables> dialog;

    Hand_Over() {
        state.HART_Variables_File = dir.filePath(QStringLiteral("HART_Variables.xml"));
        state.ParGen_File = dir.filePath(QStringLiteral("ParGen.xml"));
        dialog = std::make_unique<hart::TFHARTVariables>(state, prompt);
    }

    /// Lists @p records in the scan dialog as a successful scan does, then imports.
    void Import(const QList<hart::Device_Record>& records, bool tick = true) {
        dialog->Scan_Dialog->Show_Vars(records, int(records.size()));
        dialog->Scan_Dialog->Btn_SelectAllClick(tick);
        dialog->Import_Scan(QDialog::Accepted);
    }

    void Fill_Rows(int count) {
        QList<hart::HART_Variable_Row> rows;
        for (int row = 0; row < count; ++row) {
            hart::HART_Variable_Row filled;
            filled.Device_Address = QString::number(row + 1);
            filled.Var_Cmd_Type = QStringLiteral("Command");
            rows << filled;
        }
        dialog->Model().Set_Rows(rows);
    }

    QString Cell(int row, int column) const {
        return dialog->Model().index(row, column).data(Qt::EditRole).toString();
    }
};

} // namespace

void Test_Scan_Dialog::Import_Fills_Rows_By_The_Overwrite_Answer_data() {
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<int>("first_row");
    QTest::newRow("No: rows 3 to 5") << false << 2;
    QTest::newRow("Yes: rows 1 to 3") << true << 0;
}

void Test_Scan_Dialog::Import_Fills_Rows_By_The_Overwrite_Answer() {
    QFETCH(bool, overwrite);
    QFETCH(int, first_row);
    Hand_Over hand_over;
    hand_over.Fill_Rows(2);
    hand_over.prompt.answers = {overwrite};
    hand_over.Import({Record("TT-101", {0, 246, 247}), Record("PT-201", {248})});
    QCOMPARE(hand_over.prompt.questions,
             QStringList{"Do you want to overwrite the existing variables?"});
    hart::HART_Variables_Model& model = hand_over.dialog->Model();
    QCOMPARE(hand_over.Cell(first_row, Col::Col_Device_Address), "0x261A0012AB");
    QCOMPARE(hand_over.Cell(first_row, Col::Col_Var_Cmd_Number), "246");
    QCOMPARE(hand_over.Cell(first_row + 2, Col::Col_Var_Cmd_Number), "248");
    QCOMPARE(hand_over.Cell(first_row + 2, Col::Col_Mnemonic),
             QString("PT-201").leftJustified(32, u' ') + " - Tertiary Variable");
    QCOMPARE(hand_over.Cell(first_row + 3, Col::Col_Device_Address), "");
    QCOMPARE(hand_over.Cell(1, Col::Col_Device_Address), overwrite ? "0x261A0012AB" : "2");
    // Imported rows poll variables: Params read-only, Swap and Operations editable.
    QVERIFY(model.Is_Read_Only(first_row, Col::Col_Params));
    QVERIFY(!model.Is_Read_Only(first_row, Col::Col_Swap));
    QVERIFY(!model.Is_Read_Only(first_row, Col::Col_Operations));
    QVERIFY(hand_over.prompt.informations.isEmpty());
}

void Test_Scan_Dialog::Import_Of_Nothing_Asks_Nothing() {
    Hand_Over hand_over;
    hand_over.Fill_Rows(2);
    hand_over.Import({Record("TT-101", {246, 247})}, false); // Unselect All, then OK
    hand_over.Import({Record("TT-101", {0, 1})});            // nothing listed
    hand_over.dialog->Scan_Dialog->Show_Vars({Record("TT-101", {246})}, 1);
    hand_over.dialog->Import_Scan(QDialog::Rejected); // Cancel
    hand_over.dialog->Scan_Dialog->Show_Vars({}, 0);
    hand_over.dialog->Import_Scan(QDialog::Accepted); // no devices
    QVERIFY(hand_over.prompt.questions.isEmpty());
    QCOMPARE(hand_over.Cell(2, Col::Col_Device_Address), "");
}

void Test_Scan_Dialog::Import_Past_Row_100_Tells_What_Was_Left() {
    Hand_Over hand_over;
    hand_over.Fill_Rows(99);
    hand_over.Import({Record("TT-101", {246, 247, 248})});
    QCOMPARE(hand_over.Cell(99, Col::Col_Var_Cmd_Number), "246");
    QCOMPARE(hand_over.prompt.informations,
             QStringList{hand_over.state.Text(1254) + QStringLiteral("2")});
}

void Test_Scan_Dialog::Scan_Button_Reads_Address_Then_Imports() {
    Converter_Sim sim;
    QVERIFY(sim.Start());
    Hand_Over hand_over;
    QVERIFY(hand_over.dialog->Btn_Scan->isEnabled());
    QCOMPARE(hand_over.dialog->Btn_Scan->toolTip(), hand_over.state.Text(1255));
    QVERIFY(Write_Test_File(hand_over.state.ParGen_File,
                            "<Par_Gen><Ethernet_IP1>127</Ethernet_IP1><Ethernet_IP2>0"
                            "</Ethernet_IP2><Ethernet_IP3>0</Ethernet_IP3><Ethernet_IP4>1"
                            "</Ethernet_IP4></Par_Gen>"));
    TFHART_Scan* scan = hand_over.dialog->Scan_Dialog;
    scan->Options.port = sim.Port();
    scan->Options.tick_ms = 2;
    hand_over.prompt.answers = {true};
    bool clicked_ok = false;
    // Drive the modal scan dialog as a user would: Start Scan, wait for the list, OK.
    QTimer::singleShot(0, scan, [scan] { scan->Btn_StartScan->click(); });
    QTimer poll;
    connect(&poll, &QTimer::timeout, scan, [&] {
        if (scan->Current_View() == TFHART_Scan::View_Results && !clicked_ok) {
            clicked_ok = true;
            scan->Btn_OK->click();
        }
    });
    poll.start(20);
    QTimer::singleShot(30000, scan, &QDialog::reject);
    hand_over.dialog->Btn_ScanClick();
    QVERIFY(clicked_ok);
    QCOMPARE(sim.Requests().first(), "F_FULL_64");
    QCOMPARE(hand_over.Cell(0, Col::Col_Device_Address), "0x261A0012AB");
    QCOMPARE(hand_over.Cell(8, Col::Col_Var_Cmd_Number), "249");
    QCOMPARE(hand_over.Cell(9, Col::Col_Device_Address), "");
}

QTEST_MAIN(Test_Scan_Dialog)
#include "test_scan_dialog.moc"
