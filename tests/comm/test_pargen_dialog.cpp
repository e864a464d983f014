#include "app/main_window.h"
#include "app/settings.h"
#include "comm/category_panel.h"
#include "comm/pargen_dialog.h"
#include "support/scripted_prompt.h"
#include "support/temp_files.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

/// A dialog on a project folder of its own, shown (not modal) so focus and visibility are real.
struct Fixture {
    QTemporaryDir dir;
    app::Session_State state;
    Scripted_Prompt prompt;
    std::unique_ptr<comm::TFParGen> dialog;

    Fixture() {
        state.SW_Code = QStringLiteral("VX20417");
        state.Project_Folder = dir.path();
        state.ParGen_File = dir.filePath("ParGen.xml");
        dialog = std::make_unique<comm::TFParGen>(state, prompt);
    }

    bool Show() {
        QString error;
        if (!dialog->FormShow(error))
            return false;
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    }

    QByteArray File() const { return Read_Test_File(state.ParGen_File); }
};

} // namespace

class Test_ParGen_Dialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shows_defaults_without_a_file() {
        Fixture f;
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        QCOMPARE(d.Controls_To_Record(), comm::ParGen_Record());
        QCOMPARE(d.E_EthConn_Pri_DNS[0]->text(), QStringLiteral("8"));
        QCOMPARE(d.CB_HART_Master_Address->currentText(), QStringLiteral("Primary Master"));
        QCOMPARE(d.CB_BACnet_MSTP_Slave_Baudrate->currentText(), QStringLiteral("57600"));
        QVERIFY(!d.Is_Change);
        QCOMPARE(d.windowTitle(), QStringLiteral("Set Communication"));
        QCOMPARE(d.CP_Ethernet_Connection->Title(), QStringLiteral("1. Ethernet Connection"));
        QCOMPARE(d.CP_HART_Master->Title(), QStringLiteral("2. HART Master"));
        QCOMPARE(d.CP_BACnet_Slave->Title(), QStringLiteral("3. BACnet Slave"));
        QCOMPARE(d.CP_Web_Pages->Title(), QStringLiteral("4. Web Pages"));
        QCOMPARE(d.CP_Ethernet->Title(), QStringLiteral("5. Ethernet"));
        QCOMPARE(d.CB_EthConn_En_DHCP_Cable->text(),
                 QStringLiteral("Obtain an IP Address Automatically (DHCP for Cable Connection)"));
        QCOMPARE(d.E_BACnet_IP_Slave_Port->toolTip(),
                 QStringLiteral("Insert the Ethernet Port for the BACnet, default port is 47808"));
        QCOMPARE(d.Btn_OK->text(), QStringLiteral("OK"));
        QVERIFY(!d.CB_EthConn_En_DHCP_WiFi->isEnabled());
    }

    void length_limits_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("limit");
        QTest::newRow("host name") << "E_EthConn_Device_Name" << 31;
        QTest::newRow("diagnostic") << "E_HART_Master_Diagnostic" << 8;
        QTest::newRow("ip name") << "E_BACnet_IP_Slave_Device_Name" << 15;
        QTest::newRow("ms/tp name") << "E_BACnet_MSTP_Slave_Device_Name" << 15;
        QTest::newRow("max master") << "E_BACnet_MSTP_Slave_Max_Master" << 15;
        QTest::newRow("instance") << "E_BACnet_MSTP_Slave_Device_Instance" << 15;
        QTest::newRow("user") << "E_WebPages_User" << 8;
        QTest::newRow("password") << "E_WebPages_Password" << 8;
    }

    void length_limits() {
        QFETCH(QString, control);
        Fixture f;
        auto* edit = f.dialog->findChild<QLineEdit*>(control);
        QVERIFY(edit);
        QTEST(edit->maxLength(), "limit");
        QCOMPARE(edit->echoMode(), QLineEdit::Normal);
    }

    void unreadable_file_keeps_the_dialog_closed() {
        Fixture f;
        const QByteArray broken = "<Par_Gen><BACnet_PORT>1</Par_Gen>";
        QVERIFY(Write_Test_File(f.state.ParGen_File, broken));
        QCOMPARE(f.dialog->Show_For_Active_Project(), int(QDialog::Rejected));
        QCOMPARE(f.prompt.errors.size(), 1);
        QVERIFY2(f.prompt.errors[0].contains("ParGen.xml"), qPrintable(f.prompt.errors[0]));
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.File(), broken);
    }

    void layout_follows_type_and_dhcp() {
        Fixture f;
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        QVERIFY(d.E_BACnet_IP_Slave_Port->isVisible());
        QVERIFY(!d.E_BACnet_MSTP_Slave_Network->isVisible());
        QVERIFY(!d.CP_Ethernet->isVisible());

        d.CB_BACnet_Slave_Type->setCurrentIndex(1);
        QVERIFY(d.Is_Change);
        QVERIFY(!d.E_BACnet_IP_Slave_Port->isVisible());
        QVERIFY(d.E_BACnet_MSTP_Slave_Network->isVisible());
        QVERIFY(d.CP_Ethernet->isVisible());
        QVERIFY(d.E_Ethernet_IP[0]->isEnabled());

        QTest::mouseClick(d.CB_EthConn_En_DHCP_Cable, Qt::LeftButton, {},
                          d.CB_EthConn_En_DHCP_Cable->rect().center());
        QVERIFY(d.CB_EthConn_En_DHCP_Cable->isChecked());
        QVERIFY(!d.E_Ethernet_IP[0]->isEnabled());
        QVERIFY(!d.E_Ethernet_GAT[3]->isEnabled());
        QVERIFY(!d.CB_Ethernet_En_GAT->isEnabled());

        d.CB_BACnet_Slave_Type->setCurrentIndex(0);
        QVERIFY(!d.E_BACnet_IP_Slave_SM[2]->isEnabled());
        QVERIFY(d.CB_BACnet_IP_Slave_GAT->isEnabled());
        QVERIFY(d.E_BACnet_IP_Slave_Port->isEnabled());
        QVERIFY(!d.CP_Ethernet->isVisible());
        // The gateway check boxes enable nothing.
        QVERIFY(d.E_BACnet_IP_Slave_Device_Identifier->isEnabled());
    }

    void dot_key_moves_along_the_chain_data() {
        QTest::addColumn<bool>("mstp");
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("primary dns 4 to secondary 1") << false << false << "E_EthConn_Pri_DNS_IP4"
                                                      << "E_EthConn_Sec_DNS_IP1";
        QTest::newRow("secondary dns 4 stays") << false << false << "E_EthConn_Sec_DNS_IP4"
                                               << "E_EthConn_Sec_DNS_IP4";
        QTest::newRow("ethernet ip 4 to mask 1") << true << false << "E_Ethernet_IP4"
                                                 << "E_Ethernet_SM1";
        QTest::newRow("ethernet mask 4 to gateway 1") << true << false << "E_Ethernet_SM4"
                                                      << "E_Ethernet_GAT1";
        QTest::newRow("ethernet gateway 4 stays") << true << false << "E_Ethernet_GAT4"
                                                  << "E_Ethernet_GAT4";
        QTest::newRow("bacnet ip 2 to 3") << false << false << "E_BACnet_IP_Slave_IP2"
                                          << "E_BACnet_IP_Slave_IP3";
        QTest::newRow("bacnet mask 4 to gateway 1") << false << false << "E_BACnet_IP_Slave_SM4"
                                                    << "E_BACnet_IP_Slave_GAT1";
        QTest::newRow("bacnet gateway 4 stays") << false << false << "E_BACnet_IP_Slave_GAT4"
                                                << "E_BACnet_IP_Slave_GAT4";
        QTest::newRow("dns 1 to 2 under dhcp") << false << true << "E_EthConn_Pri_DNS_IP1"
                                               << "E_EthConn_Pri_DNS_IP2";
    }

    void dot_key_moves_along_the_chain() {
        QFETCH(bool, mstp);
        QFETCH(bool, dhcp);
        QFETCH(QString, from);
        QFETCH(QString, to);
        Fixture f;
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        d.CB_BACnet_Slave_Type->setCurrentIndex(mstp ? 1 : 0);
        d.CB_EthConn_En_DHCP_Cable->setChecked(dhcp);
        d.Move_GroupBoxs();
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto* box = d.findChild<QLineEdit*>(from);
        QVERIFY(box);
        box->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), box);
        const QString before = box->text();
        QTest::keyClick(box, Qt::Key_Period, {}, 10);
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QCOMPARE(box->text(), before);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
        QCOMPARE(d.findChild<QLineEdit*>(to)->text().right(1), QStringLiteral("7"));
    }

    void dot_stays_where_the_next_box_cannot_take_focus() {
        Fixture f;
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        d.CB_BACnet_Slave_Type->setCurrentIndex(1);
        d.CB_EthConn_En_DHCP_Cable->setChecked(false);
        d.Move_GroupBoxs();
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.E_Ethernet_IP[3]->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), d.E_Ethernet_IP[3]);
        // A hand-made case: the mask boxes disabled while the address stays editable.
        for (QLineEdit* box : d.E_Ethernet_SM)
            box->setEnabled(false);
        QTest::keyClick(d.E_Ethernet_IP[3], Qt::Key_Period);
        QCOMPARE(QApplication::focusWidget(), d.E_Ethernet_IP[3]);
        QCOMPARE(d.E_Ethernet_IP[3]->text(), QStringLiteral("10"));
    }

    void device_names_typed_in_lower_case() {
        Fixture f;
        QVERIFY(f.Show());
        for (QLineEdit* name :
             {f.dialog->E_BACnet_IP_Slave_Device_Name, f.dialog->E_BACnet_MSTP_Slave_Device_Name}) {
            name->clear();
            QTest::keyClicks(name, "MyDev9X");
            QCOMPARE(name->text(), QStringLiteral("mydev9x"));
        }
        QTest::keyClicks(f.dialog->E_EthConn_Device_Name, "Host");
        QCOMPARE(f.dialog->E_EthConn_Device_Name->text(), QStringLiteral("Host"));
    }

    void cancel_asks_only_after_a_change() {
        Fixture f;
        QVERIFY(Write_Test_File(f.state.ParGen_File, "<Par_Gen><BACnet_PORT>1234</BACnet_PORT>"
                                                     "</Par_Gen>"));
        const QByteArray original = f.File();
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        QTest::mouseClick(d.Btn_Cancel, Qt::LeftButton);
        QVERIFY(f.prompt.questions.isEmpty());
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));

        QVERIFY(f.Show());
        d.CB_BACnet_Slave_Type->setCurrentIndex(1);
        f.prompt.answers = {false};
        QTest::mouseClick(d.Btn_Cancel, Qt::LeftButton);
        QCOMPARE(f.prompt.questions,
                 QStringList{QStringLiteral("Do you want to exit without saving changes?")});
        QVERIFY(d.isVisible());
        QCOMPARE(d.CB_BACnet_Slave_Type->currentIndex(), 1);

        f.prompt.answers = {true};
        QTest::mouseClick(d.Btn_Cancel, Qt::LeftButton);
        QCOMPARE(f.prompt.questions.size(), 2);
        QVERIFY(!d.isVisible());
        QCOMPARE(f.File(), original);

        // A new showing starts from the file again; the close box never asks.
        QVERIFY(f.Show());
        QCOMPARE(d.CB_BACnet_Slave_Type->currentIndex(), 0);
        QCOMPARE(d.E_BACnet_IP_Slave_Port->text(), QStringLiteral("1234"));
        d.E_WebPages_User->setText(QStringLiteral("x"));
        d.close();
        QVERIFY(!d.isVisible());
        QCOMPARE(f.prompt.questions.size(), 2);
        QCOMPARE(f.File(), original);
    }

    void ok_validates_then_saves() {
        Fixture f;
        QVERIFY(Write_Test_File(f.state.ParGen_File,
                                "<Par_Gen><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"
                                "<Ethernet_IP1>300</Ethernet_IP1></Par_Gen>"));
        const QByteArray original = f.File();
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        QCOMPARE(d.E_Ethernet_IP[0]->text(), QStringLiteral("300"));
        QTest::mouseClick(d.Btn_OK, Qt::LeftButton);
        // Panel 5 is hidden with BACnet/IP, yet its addresses are checked.
        QCOMPARE(f.prompt.errors,
                 QStringList{QStringLiteral("Error Ethernet!! IP Address 1 must be between 0 "
                                            "and 255")});
        QVERIFY(d.isVisible());
        QCOMPARE(f.File(), original);

        d.E_Ethernet_IP[0]->setText(QStringLiteral("10"));
        d.CB_EthConn_Enable_DNS->setChecked(false);
        d.E_EthConn_Pri_DNS[0]->setText(QStringLiteral("999"));
        d.CB_HART_Master_Address->setCurrentIndex(1);
        QTest::mouseClick(d.Btn_OK, Qt::LeftButton);
        QCOMPARE(f.prompt.errors.size(), 1);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const QByteArray saved = f.File();
        QVERIFY(saved.contains("<Eth_Conn_DHCP_WiFi>0</Eth_Conn_DHCP_WiFi>"));
        QVERIFY(saved.contains("<Eth_Conn_Primary_DNS1>999</Eth_Conn_Primary_DNS1>"));
        QVERIFY(saved.contains("<HART_Master_Address>Secondary Master</HART_Master_Address>"));
        QVERIFY(saved.contains("<Ethernet_IP1>10</Ethernet_IP1>"));
        QVERIFY(saved.contains("<BACnet_Ser_Baudrate>3</BACnet_Ser_Baudrate>"));
    }

    void wheel_scrolls_the_panel_group_only() {
        Fixture f;
        f.dialog->resize(f.dialog->width(), 300);
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        QScrollBar* bar = d.Panel_Group->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        const int step = QApplication::wheelScrollLines() * bar->singleStep();

        QComboBox* combo = d.CB_HART_Master_RetryLimit;
        const QPointF at = combo->rect().center();
        QWheelEvent down(at, combo->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &down);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(bar->value(), std::min(step, bar->maximum()));

        d.Wheel_Scroll(120);
        QCOMPARE(bar->value(), 0);

        // A touchpad's small steps add up to a notch instead of each scrolling a whole one.
        d.Wheel_Scroll(-8);
        QVERIFY(bar->value() < step);
        for (int i = 1; i < 15; ++i)
            d.Wheel_Scroll(-8);
        QCOMPARE(bar->value(), std::min(step, bar->maximum()));
    }

    void validation_error_shows_the_failing_field() {
        Fixture f;
        f.dialog->resize(f.dialog->width(), 300);
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.E_BACnet_IP_Slave_Port->setText(QStringLiteral("10000"));
        d.CP_BACnet_Slave->Set_Collapsed(true);
        d.E_EthConn_Device_Name->setFocus();
        QTest::mouseClick(d.Btn_OK, Qt::LeftButton);
        QCOMPARE(f.prompt.errors.size(), 1);
        QVERIFY(f.prompt.errors.first().startsWith(QStringLiteral("Error BACnet!! PORT")));
        QVERIFY(!d.CP_BACnet_Slave->Collapsed());
        QTRY_COMPARE(QApplication::focusWidget(), d.E_BACnet_IP_Slave_Port);
        QWidget* viewport = d.Panel_Group->viewport();
        const QRect field(d.E_BACnet_IP_Slave_Port->mapTo(viewport, QPoint(0, 0)),
                          d.E_BACnet_IP_Slave_Port->size());
        QVERIFY(viewport->rect().contains(field));
    }

    void fixed_width() {
        Fixture f;
        QVERIFY(f.Show());
        const int width = f.dialog->width();
        f.dialog->resize(width + 200, 500);
        QCOMPARE(f.dialog->width(), width);
        QCOMPARE(f.dialog->height(), 500);
    }

    void main_window_step_opens_the_dialog() {
        QTemporaryDir dir;
        app::Session_State state;
        app::Start_Session(state, dir.path());
        state.Project_Name = QStringLiteral("Plant");
        state.Project_Folder = dir.filePath("PROJECTS/Plant");
        state.ParGen_File = dir.filePath("PROJECTS/Plant/ParGen.xml");
        QVERIFY(Write_Test_File(state.ParGen_File, "<Par_Gen><BACnet_PORT>4000</BACnet_PORT>"
                                                   "</Par_Gen>"));
        Scripted_Prompt prompt;
        app::TFQuillonFirmWare window(state, prompt);
        QString shown_port;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<comm::TFParGen*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown_port = dialog->E_BACnet_IP_Slave_Port->text();
            dialog->Btn_Cancel->click();
        });
        window.Btn_Prm_Gen->click();
        QCOMPARE(shown_port, QStringLiteral("4000"));
        QVERIFY(prompt.errors.isEmpty());
    }

    void panels_fold() {
        Fixture f;
        QVERIFY(f.Show());
        comm::TFParGen& d = *f.dialog;
        d.CP_HART_Master->Set_Collapsed(true);
        QVERIFY(!d.CB_HART_Master_Address->isVisible());
        d.CP_HART_Master->Set_Collapsed(false);
        QVERIFY(d.CB_HART_Master_Address->isVisible());
    }
};

QTEST_MAIN(Test_ParGen_Dialog)
#include "test_pargen_dialog.moc"
