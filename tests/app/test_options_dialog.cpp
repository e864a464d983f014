#include "app/main_window.h"
#include "app/new_project_dialog.h"
#include "app/options_dialog.h"
#include "app/settings.h"
#include "app/version_check.h"
#include "support/http_test_server.h"
#include "support/modal.h"
#include "support/scripted_prompt.h"
#include "support/temp_files.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Writes a small picture of one colour, as the flag files are.
bool Write_Flag(const QString& path, QColor colour) {
    QImage image(48, 32, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, "BMP");
}

QRgb Flag_Colour(const QLabel* picture) {
    return picture->pixmap().toImage().pixel(0, 0);
}

int Visible_Slots(const app::TFSoftOptions& dialog) {
    int shown = 0;
    for (const QLabel* name : dialog.L_L)
        shown += name->isHidden() ? 0 : 1;
    return shown;
}

} // namespace

class Test_Options_Dialog : public QObject {
    Q_OBJECT

    // A program folder with the given language files and a session started in it.
    struct Program {
        QTemporaryDir dir;
        app::Session_State state;
        Scripted_Prompt prompt;
        app::Version_Checker checker;

        explicit Program(const QStringList& languages = {}) {
            for (const QString& name : languages)
                Write_Test_File(dir.filePath("LANGUAGE/" + name + ".lng"), "STR0 = x\n");
            app::Start_Session(state, dir.path());
            checker.Set_Server(QUrl("http://127.0.0.1:9")); // never the maker's server
        }
    };

private Q_SLOTS:
    void language_pages_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("slots");
        QTest::newRow("seven") << 7 << "Page 1 / 2" << false << true << 6;
        QTest::newRow("six") << 6 << "Page 1 / 1" << false << false << 6;
        QTest::newRow("one") << 1 << "Page 1 / 1" << false << false << 1;
        QTest::newRow("none") << 0 << "Page 1 / 0" << false << true << 0;
    }

    void language_pages() {
        QFETCH(int, files);
        QStringList names;
        for (int i = 0; i < files; ++i)
            names << QStringLiteral("Lang%1").arg(i + 1);
        Program program(names);
        app::TFSoftOptions dialog(program.state, program.prompt, program.checker);
        dialog.FormShow();
        QTEST(dialog.L_Page_Lang->text(), "counter");
        QTEST(!dialog.Btn_Prev->isHidden(), "previous");
        QTEST(!dialog.Btn_Next->isHidden(), "next");
        QTEST(Visible_Slots(dialog), "slots");
        QCOMPARE(dialog.L_Sel_Lang->text(), QStringLiteral("Selected Language : English"));

        // Next goes no further than the last page; with no file it does nothing.
        dialog.Btn_Next->click();
        dialog.Btn_Next->click();
        if (files == 7) {
            QCOMPARE(dialog.L_Page_Lang->text(), QStringLiteral("Page 2 / 2"));
            QCOMPARE(Visible_Slots(dialog), 1);
            QCOMPARE(dialog.L_L[0]->text(), QStringLiteral("Lang7"));
            QVERIFY(!dialog.Btn_Prev->isHidden());
            QVERIFY(dialog.Btn_Next->isHidden());
            dialog.Btn_Prev->click();
            QCOMPARE(dialog.L_L[5]->text(), QStringLiteral("Lang6"));
        }
        QCOMPARE(dialog.Show_Page, 1);
        QTEST(dialog.L_Page_Lang->text(), "counter");
    }

    void flag_pictures() {
        Program program({"English", "Deutsch", "Italiano"});
        const QString folder = program.state.Language_Folder;
        QVERIFY(Write_Flag(folder + "/English.bmp", Qt::blue));
        QVERIFY(Write_Test_File(folder + "/Italiano.bmp", "not a picture"));
        app::TFSoftOptions dialog(program.state, program.prompt, program.checker);

        // Without a default flag, a language without its own shows only its name.
        dialog.FormShow();
        QCOMPARE(dialog.L_L[0]->text(), QStringLiteral("Deutsch"));
        QVERIFY(dialog.I_L[0]->isHidden());
        QVERIFY(!dialog.L_L[0]->isHidden());
        QCOMPARE(Flag_Colour(dialog.I_L[1]), QColor(Qt::blue).rgb());
        QVERIFY(dialog.I_L[2]->isHidden()); // unreadable counts as missing

        QVERIFY(Write_Flag(folder + "/DefaultFlag.bmp", Qt::green));
        dialog.FormShow();
        QVERIFY(!dialog.I_L[0]->isHidden());
        QCOMPARE(Flag_Colour(dialog.I_L[0]), QColor(Qt::green).rgb());
        QCOMPARE(Flag_Colour(dialog.I_L[1]), QColor(Qt::blue).rgb());
        QCOMPARE(Flag_Colour(dialog.I_L[2]), QColor(Qt::green).rgb());
    }

    void check_box_rules_data() {
        QTest::addColumn<bool>("internet");
        QTest::addColumn<bool>("update");
        QTest::addColumn<bool>("update_enabled");
        QTest::addColumn<bool>("button_enabled");
        QTest::newRow("both") << true << true << true << true;
        QTest::newRow("internet only") << true << false << true << false;
        QTest::newRow("update kept while disabled") << false << true << false << false;
        QTest::newRow("neither") << false << false << false << false;
    }

    void check_box_rules() {
        QFETCH(bool, internet);
        QFETCH(bool, update);
        Program program;
        program.state.Enable_Internet = true;
        program.state.Enable_Update = true;
        app::TFSoftOptions dialog(program.state, program.prompt, program.checker);
        dialog.FormShow();
        if (!internet)
            dialog.CB_En_Con->click();
        if (!update) {
            dialog.CB_Update->setChecked(false);
            dialog.CB_En_ConClick();
        }
        QTEST(dialog.CB_Update->isEnabled(), "update_enabled");
        QTEST(dialog.Btn_Check_Update->isEnabled(), "button_enabled");
        QCOMPARE(dialog.CB_Update->isChecked(), update);

        // OK saves the check marks as they stand, disabled or not.
        dialog.Btn_OK->click();
        QCOMPARE(program.state.Enable_Internet, internet);
        QCOMPARE(program.state.Enable_Update, update);
    }

    void cancel_forgets_the_check_boxes() {
        Program program;
        app::TFSoftOptions dialog(program.state, program.prompt, program.checker);
        dialog.FormShow();
        dialog.CB_En_Con->click();
        dialog.CB_Soft_Set_Jump_Table->click();
        dialog.CB_DoubleClick_Auto_Size->click();
        dialog.Btn_Cancel->click();
        QVERIFY(!program.state.Enable_Internet && !program.state.Enable_Jump_Field_Tables);
        dialog.FormShow();
        QVERIFY(!dialog.CB_En_Con->isChecked());
        QVERIFY(!dialog.CB_Soft_Set_Jump_Table->isChecked());

        dialog.CB_Soft_Set_Jump_Table->click();
        dialog.CB_DoubleClick_Auto_Size->click();
        dialog.Btn_OK->click();
        QVERIFY(program.state.Enable_Jump_Field_Tables && program.state.Double_Click_Auto_Size);
    }

    void manual_version_check() {
        Http_Test_Server server;
        server.body = "VER. 1.003";
        Program program;
        program.state.Enable_Internet = program.state.Enable_Update = true;
        program.checker.Set_Server(server.Url());
        app::TFSoftOptions dialog(program.state, program.prompt, program.checker);
        dialog.FormShow();
        QVERIFY(dialog.LL_Check_Update->isHidden());

        // The window stays responsive: the button shows the check is busy until it ends.
        dialog.Btn_Check_Update->click();
        QVERIFY(dialog.Checking());
        QVERIFY(!dialog.Btn_Check_Update->isEnabled());
        QCOMPARE(dialog.Btn_Check_Update->text(), QStringLiteral("Checking..."));
        QTRY_VERIFY(!dialog.LL_Check_Update->isHidden());
        QVERIFY(dialog.Btn_Check_Update->isEnabled());
        QCOMPARE(dialog.Btn_Check_Update->text(), QStringLiteral("Check Available Update"));
        QCOMPARE(dialog.LL_Check_Update->text(),
                 app::Link_Html(app::Download_Page_Url(),
                                "New Version Available. Click Here for more Details"));

        server.body = "VER. 1.002";
        dialog.Btn_Check_Update->click();
        QTRY_VERIFY(!dialog.Checking());
        QCOMPARE(dialog.LL_Check_Update->text(), QStringLiteral("No Update Available"));

        // A new showing hides the last result.
        dialog.FormShow();
        QVERIFY(dialog.LL_Check_Update->isHidden());
    }

    void language_change_follows_at_once_and_ok_keeps_it() {
        Program program({"English", "Italiano"});
        QVERIFY(Write_Test_File(
            program.state.Language_Folder + "/Italiano.lng",
            "\xEF\xBB\xBFSTR15 = Nuova Configurazione\r\n"
            "STR100 = Crea Nuova Configurazione\r\n"
            "STR300 = Opzioni Software\r\nSTR304 = Lingua Selezionata : \xC2\xB6\r\n"
            "STR305 = Pagina \xC2\xB6\r\n"));
        app::TFQuillonFirmWare window(program.state, program.prompt);
        window.Checker().Set_Server(QUrl("http://127.0.0.1:9"));
        const QString settings = app::Settings_File(program.state);

        // No keeps everything; the question names both languages.
        When_Modal_Shows([&](QWidget* modal) {
            auto* dialog = qobject_cast<app::TFSoftOptions*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->L_L[1]->text(), QStringLiteral("Italiano"));
            QTest::mouseClick(dialog->L_L[1], Qt::LeftButton);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Software Options"));
            // Yes: every window follows at once, the dialog stays open.
            program.prompt.answers = {true};
            QTest::mouseClick(dialog->I_L[1], Qt::LeftButton);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Opzioni Software"));
            QCOMPARE(dialog->L_Sel_Lang->text(), QStringLiteral("Lingua Selezionata : Italiano"));
            QCOMPARE(dialog->L_Page_Lang->text(), QStringLiteral("Pagina 1 / 1"));
            QCOMPARE(window.Btn_New->text(), QStringLiteral("Nuova Configurazione"));
            QCOMPARE(window.New_Project_Dialog()->windowTitle(),
                     QStringLiteral("Crea Nuova Configurazione"));
            dialog->Btn_Cancel->click();
        });
        window.Btn_Opz->click();
        QCOMPARE(program.prompt.questions,
                 QStringList({"Do you want to change the Language from English to Italiano?",
                              "Do you want to change the Language from English to Italiano?"}));
        // Cancel: the texts stay for this run, the chosen language and the file do not change.
        QCOMPARE(program.state.Language_Name, QStringLiteral("English"));
        QVERIFY(!QFileInfo::exists(settings));
        QCOMPARE(window.Btn_New->text(), QStringLiteral("Nuova Configurazione"));

        // Next showing starts from the saved language again; a change confirmed by OK is saved.
        When_Modal_Shows([&](QWidget* modal) {
            auto* dialog = qobject_cast<app::TFSoftOptions*>(modal);
            QCOMPARE(dialog->L_Sel_Lang->text(), QStringLiteral("Lingua Selezionata : English"));
            program.prompt.answers = {true};
            QTest::mouseClick(dialog->L_L[1], Qt::LeftButton);
            dialog->Btn_OK->click();
        });
        window.Btn_Opz->click();
        QCOMPARE(program.state.Language_Name, QStringLiteral("Italiano"));
        QVERIFY(Read_Test_File(settings).contains("<language>Italiano</language>"));
        QVERIFY(!window.Timer_Update->isActive());

        // And back to English.
        When_Modal_Shows([&](QWidget* modal) {
            auto* dialog = qobject_cast<app::TFSoftOptions*>(modal);
            program.prompt.answers = {true};
            QTest::mouseClick(dialog->L_L[0], Qt::LeftButton);
            dialog->Btn_OK->click();
        });
        window.Btn_Opz->click();
        QCOMPARE(window.Btn_New->text(), QStringLiteral("New Configuration"));
        QCOMPARE(program.state.Language_Name, QStringLiteral("English"));
    }
};

QTEST_MAIN(Test_Options_Dialog)
#include "test_options_dialog.moc"
