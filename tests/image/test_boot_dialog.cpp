#include "app/main_window.h"
#include "app/settings.h"
#include "image/boot_dialog.h"
#include "image/update_wait_dialog.h"
#include "scripted_echo.h"
#include "stand_in_updater.h"
#include "support/scripted_prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using image::Echo_Result;
using image::TFBoot;
using image::Update_Outcome;

namespace {

constexpr image::Update_Timing Short{{50, 300}, 2000};

/// A program folder with a started session, an open project "Plant", MASTER's images and a
/// stand-in updater.
struct Session_Fixture {
    QTemporaryDir dir;
    app::Session_State state;

    Session_Fixture() {
        app::Start_Session(state, dir.path());
        QDir(state.Projects_Folder).mkpath("Plant/bin");
        state.Project_Name = QStringLiteral("Plant");
        state.Project_Folder = QDir(state.Projects_Folder).filePath("Plant");
        app::Set_Files(state);
        Write_Test_File(QDir(state.Master_Folder).filePath("Sim20417.sim"), "firmware");
        Write_Test_File(QDir(state.Master_Folder).filePath("web_files_hart.bin"), "web pages");
        Write_Stand_In_Updater(state.Exe_Folder);
    }

    QString In_Project(const QString& file) const {
        return QDir(state.Project_Folder).filePath(file);
    }
    bool Updater_Ran() const { return QFileInfo::exists(dir.filePath("ran.txt")); }
    bool Script_Written() const { return QFileInfo::exists(dir.filePath("Ethernet_Update.xml")); }
};

QStringList Boxes(const TFBoot& dialog) {
    return {dialog.E_IP1->text(), dialog.E_IP2->text(), dialog.E_IP3->text(), dialog.E_IP4->text()};
}

void Type_Address(TFBoot& dialog, const QStringList& parts) {
    QLineEdit* boxes[] = {dialog.E_IP1, dialog.E_IP2, dialog.E_IP3, dialog.E_IP4};
    for (int i = 0; i < 4; ++i)
        boxes[i]->setText(parts[i]);
}

/// Presses Execute with a scripted echo and waits until the update has ended.
Update_Outcome Execute_With(TFBoot& dialog, Echo_Result echo) {
    auto sender = std::make_unique<Scripted_Echo_Sender>();
    sender->then = echo;
    dialog.Set_Echo_Sender(std::move(sender));
    dialog.Set_Timing(Short);
    QSignalSpy finished(&dialog, &TFBoot::Update_Finished);
    dialog.Btn_Update->click();
    if (!finished.wait(10000))
        qFatal("the update did not end");
    return finished.first().first().value<Update_Outcome>();
}

} // namespace

class Test_Boot_Dialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void form_show_fills_the_boxes_from_the_session_data() {
        QTest::addColumn<QString>("last_ip");
        QTest::addColumn<QStringList>("boxes");
        const QStringList initial{"0", "0", "0", "0"};
        QTest::newRow("valid") << "10.1.2.3" << QStringList{"10", "1", "2", "3"};
        QTest::newRow("blanks") << " 10 . 1.2.3 " << QStringList{"10", "1", "2", "3"};
        QTest::newRow("three parts") << "10.1.2" << initial;
        QTest::newRow("256") << "10.1.2.256" << initial;
        QTest::newRow("empty") << "" << initial;
    }

    void form_show_fills_the_boxes_from_the_session() {
        QFETCH(QString, last_ip);
        QFETCH(QStringList, boxes);
        Session_Fixture fixture;
        Scripted_Prompt prompt;
        TFBoot dialog(fixture.state, prompt);
        fixture.state.Last_IP_Address = last_ip;
        fixture.state.Update_Option = 2;
        fixture.state.Read_Back = false;
        dialog.FormShow();
        QCOMPARE(Boxes(dialog), boxes);
        QCOMPARE(dialog.CB_Update_Options->currentIndex(), 2);
        QCOMPARE(dialog.CB_Update_Options->currentText(), QStringLiteral("Configuration"));
        QVERIFY(!dialog.CB_Update_Option_Read_Back->isChecked());
        QCOMPARE(dialog.focusWidget(), dialog.E_IP1);
    }

    void texts_follow_the_table_at_each_showing() {
        Session_Fixture fixture;
        Scripted_Prompt prompt;
        TFBoot dialog(fixture.state, prompt);
        fixture.state.String_Table.Set(1520, QStringLiteral("Aggiorna"));
        fixture.state.String_Table.Set(1516, QStringLiteral("Solo firmware"));
        dialog.FormShow();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Update Device by Ethernet (UDP)"));
        QCOMPARE(dialog.L_SW_Desc->text(), QStringLiteral("Update Device Using the Ethernet Port"));
        QCOMPARE(dialog.L_SW_Code->text(), QStringLiteral("VX20417"));
        QCOMPARE(dialog.Btn_Update->text(), QStringLiteral("Aggiorna"));
        QCOMPARE(dialog.CB_Update_Options->itemText(1), QStringLiteral("Solo firmware"));
        QCOMPARE(dialog.CB_Update_Options->count(), 3);
        QCOMPARE(dialog.Btn_Cancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(dialog.E_IP1->toolTip(), fixture.state.Text(1521));
    }

    void dot_moves_through_the_boxes() {
        Session_Fixture fixture;
        Scripted_Prompt prompt;
        TFBoot dialog(fixture.state, prompt);
        fixture.state.Last_IP_Address = QStringLiteral("1.2.3.4");
        dialog.FormShow();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit* const boxes[] = {dialog.E_IP1, dialog.E_IP2, dialog.E_IP3, dialog.E_IP4};
        for (int i = 0; i < 4; ++i) {
            boxes[i]->clear();
            QCOMPARE(QApplication::focusWidget(), boxes[i]);
            QTest::keyClick(boxes[i], Qt::Key_5);
            QTest::keyClick(boxes[i], Qt::Key_Period);
        }
        QCOMPARE(QApplication::focusWidget(), dialog.E_IP4); // the last box keeps the focus
        QCOMPARE(Boxes(dialog), QStringList(4, "5"));        // no dot typed
    }

    void failed_check_changes_nothing_data() {
        QTest::addColumn<int>("echo");
        QTest::addColumn<QStringList>("address");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("error");
        QTest::newRow("silent") << int(Echo_Result::No_Reply) << QStringList{"127", "0", "0", "1"}
                                << "Device Not Found!" << QString();
        QTest::newRow("not an address")
            << int(Echo_Result::Reply) << QStringList{"127", "0", "0", "x"} << QString()
            << "Error!!! Check the Ip Address";
    }

    void failed_check_changes_nothing() {
        QFETCH(int, echo);
        QFETCH(QStringList, address);
        QFETCH(QString, warning);
        QFETCH(QString, error);
        Session_Fixture fixture;
        Scripted_Prompt prompt;
        TFBoot dialog(fixture.state, prompt);
        dialog.FormShow();
        Type_Address(dialog, address);
        dialog.CB_Update_Options->setCurrentIndex(1);
        dialog.CB_Update_Option_Read_Back->setChecked(false);
        Execute_With(dialog, Echo_Result(echo));
        QCOMPARE(prompt.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
        QCOMPARE(prompt.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(fixture.state.Last_IP_Address, QStringLiteral("192.168.2.205"));
        QCOMPARE(fixture.state.Update_Option, 0);
        QVERIFY(fixture.state.Read_Back);
        QVERIFY(!fixture.Script_Written());
        QVERIFY(!fixture.Updater_Ran());
        QVERIFY(dialog.Btn_Update->isEnabled()); // ready for another try
    }

    void answered_check_runs_the_updater_and_keeps_the_values() {
        Session_Fixture fixture;
        QVERIFY(Write_Stand_In_Updater(fixture.state.Exe_Folder, "sleep 0.5"));
        QVERIFY(Write_Test_File(fixture.In_Project("bin/bank1.bin"), "bank 1"));
        QVERIFY(Write_Test_File(fixture.In_Project("bin/bank2.bin"), "bank 2"));
        Scripted_Prompt prompt;
        TFBoot dialog(fixture.state, prompt);
        dialog.BACnetType = 1;
        dialog.FormShow();
        dialog.show();
        Type_Address(dialog, {"127", "0", "0", "1"});
        dialog.CB_Update_Options->setCurrentIndex(2);
        dialog.CB_Update_Option_Read_Back->setChecked(false);
        bool waited_in_window = false;
        connect(dialog.Wait_Window, &QDialog::finished, this, [&] { waited_in_window = true; });
        QCOMPARE(Execute_With(dialog, Echo_Result::Reply), Update_Outcome::Updater_Ended);
        QVERIFY(prompt.errors.isEmpty());
        QVERIFY(fixture.Updater_Ran());
        QVERIFY(waited_in_window);
        QVERIFY(!dialog.Wait_Window->isVisible());
        QVERIFY(dialog.isVisible()); // stays open after the updater ended
        QCOMPARE(fixture.state.Last_IP_Address, QStringLiteral("127.0.0.1"));
        QCOMPARE(fixture.state.Update_Option, 2);
        QVERIFY(!fixture.state.Read_Back);
        const QByteArray script = Read_Test_File(fixture.dir.filePath("Ethernet_Update.xml"));
        QVERIFY(script.contains("<Protection>0x201</Protection>"));
        QCOMPARE(script.count("<Ope_Read_Back>0</Ope_Read_Back>"), 2);
    }

    void missing_firmware_stops_before_the_updater() {
        Session_Fixture fixture;
        QVERIFY(QFile::remove(QDir(fixture.state.Master_Folder).filePath("Sim20417.sim")));
        Scripted_Prompt prompt;
        TFBoot dialog(fixture.state, prompt);
        dialog.FormShow();
        Type_Address(dialog, {"127", "0", "0", "1"});
        QCOMPARE(Execute_With(dialog, Echo_Result::Reply), Update_Outcome::File_Missing);
        QCOMPARE(prompt.errors.size(), 1);
        QVERIFY(prompt.errors.first().endsWith(
            QDir::toNativeSeparators(QDir(fixture.state.Master_Folder).filePath("Sim20417.sim"))));
        QVERIFY(!fixture.Updater_Ran());
        QVERIFY(!fixture.Script_Written());
    }

    void update_step_compiles_even_when_cancelled() {
        Session_Fixture fixture;
        QVERIFY(Write_Test_File(fixture.In_Project("ParGen.xml"),
                                "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>"));
        QVERIFY(Write_Test_File(fixture.In_Project("bin/bank1.bin"), "stale"));
        Scripted_Prompt prompt;
        app::TFQuillonFirmWare window(fixture.state, prompt);
        bool shown = false;
        QTimer::singleShot(0, &window, [&] {
            TFBoot* boot = window.Boot_Dialog();
            shown = QApplication::activeModalWidget() == boot;
            QCOMPARE(boot->Form_Type, 1);
            QCOMPARE(boot->BACnetType, 1);
            boot->Btn_Cancel->click();
        });
        window.Btn_CreateBin->click();
        QVERIFY(shown);
        QVERIFY(prompt.errors.isEmpty());
        QCOMPARE(QFileInfo(fixture.In_Project("bin/bank1.bin")).size(), 2048);
        QCOMPARE(QFileInfo(fixture.In_Project("bin/bank2.bin")).size(), 67620);
    }

    void update_step_stops_when_the_banks_fail_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("compile aborts")
            << "ParGen.xml" << QByteArray("<Par_Gen>\n<A>1</B>") << "ParGen.xml";
        QTest::newRow("banks cannot be written")
            << "bin" << QByteArray("a file where the folder belongs")
            << "Error!!! The configuration files cannot be written: ";
    }

    void update_step_stops_when_the_banks_fail() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        Session_Fixture fixture;
        QDir(fixture.In_Project("bin")).removeRecursively();
        QVERIFY(Write_Test_File(fixture.In_Project(file), content));
        Scripted_Prompt prompt;
        app::TFQuillonFirmWare window(fixture.state, prompt);
        bool opened = false;
        QTimer::singleShot(0, &window, [&] {
            if (QApplication::activeModalWidget() == window.Boot_Dialog()) {
                opened = true;
                window.Boot_Dialog()->reject();
            }
        });
        window.Btn_CreateBin->click();
        QVERIFY(!opened);
        QCOMPARE(prompt.errors.size(), 1);
        QVERIFY2(prompt.errors.first().contains(message), qPrintable(prompt.errors.first()));
    }
};

QTEST_MAIN(Test_Boot_Dialog)
#include "test_boot_dialog.moc"
