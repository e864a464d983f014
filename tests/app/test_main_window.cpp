#include "app/main_window.h"
#include "app/new_project_dialog.h"
#include "app/open_project_dialog.h"
#include "app/settings.h"
#include "support/modal.h"
#include "support/scripted_prompt.h"
#include "support/temp_files.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class Test_Main_Window : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private Q_SLOTS:
    void project_steps_need_a_project() {
        app::Session_State state;
        QVERIFY(Write_Test_File(dir_.filePath("Quillon.xml"),
                                "<Conf_Settings><lastproj><projectname>Gone</projectname>"
                                "</lastproj></Conf_Settings>"));
        app::Start_Session(state, dir_.path());
        Scripted_Prompt prompt;
        app::TFQuillonFirmWare window(state, prompt);
        QCOMPARE(window.L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
        QCOMPARE(window.L_Name_Conf_L2->text(),
                 QStringLiteral("Use Step1 to open or create new configuration"));
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Tolmex - Configurator VX20417 - BACnet Slave / HART Master "));
        for (QToolButton* step :
             {window.Btn_Prm_Gen, window.Btn_HART_Variables, window.Btn_BACnet_SetAccess,
              window.Btn_BACnet_EDE_File, window.Btn_CreateBin})
            step->click();
        QCOMPARE(prompt.errors, QStringList(5, QStringLiteral("Error! Project not Valid")));
        QCOMPARE(window.Btn_BACnet_SetAccess->text(), QStringLiteral("Set BACnet Access"));
        QCOMPARE(window.Btn_Prm_Gen->text(), QStringLiteral("Set Communication"));
        QVERIFY(!window.L_Step[6]->isVisibleTo(&window));
        QVERIFY(window.L_Step[5]->isVisibleTo(&window));
        QVERIFY(!window.LL_Update->isVisibleTo(&window));

        // Closing by the close box writes the settings, the lost project's name kept.
        window.show();
        window.close();
        QVERIFY(Read_Test_File(dir_.filePath("Quillon.xml")).contains("<projectname>Gone<"));
    }

    void language_file_sets_the_texts_at_start_up() {
        app::Session_State state;
        QVERIFY(Write_Test_File(dir_.filePath("Quillon.xml"),
                                "<Conf_Settings><lastlang><language>Italiano</language></lastlang>"
                                "</Conf_Settings>"));
        QVERIFY(Write_Test_File(dir_.filePath("LANGUAGE/Italiano.lng"),
                                "STR15 = Nuova Configurazione\nSTR4 = Passo 4"));
        app::Start_Session(state, dir_.path());
        Scripted_Prompt prompt;
        app::TFQuillonFirmWare window(state, prompt);
        QCOMPARE(window.Btn_New->text(), QStringLiteral("Nuova Configurazione"));
        QCOMPARE(window.L_Step[3]->text(), QStringLiteral("Passo 4"));
        QCOMPARE(window.Btn_BACnet_SetAccess->text(), QStringLiteral("Set BACnet Access"));
    }

    void create_then_open_through_the_dialogs() {
        QTemporaryDir dir;
        app::Session_State state;
        app::Start_Session(state, dir.path());
        Scripted_Prompt prompt;
        app::TFQuillonFirmWare window(state, prompt);

        // Enter in the name box acts as OK; an existing name keeps the dialog open.
        QVERIFY(QDir().mkpath(state.Projects_Folder + "/Taken"));
        When_Modal_Shows([&](QWidget* modal) {
            auto* name = modal->findChild<QLineEdit*>("E_New_Proj");
            QTest::keyClicks(name, "Taken");
            QTest::keyClick(name, Qt::Key_Return);
            QVERIFY(modal->isVisible());
            name->setText("Plant A");
            QTest::keyClick(name, Qt::Key_Return);
        });
        window.Btn_New->click();
        QCOMPARE(prompt.errors,
                 QStringList("Error! Name project is not valid because directory already exists"));
        QCOMPARE(window.L_Name_Conf->text(),
                 QStringLiteral("Opened Configuration of the Converter : "));
        QCOMPARE(window.L_Name_Conf_L2->text(), QStringLiteral("Plant A"));
        QVERIFY(QFileInfo(state.Projects_Folder + "/Plant A/bin").isDir());

        // The open list preselects the active project, whatever the case of its letters.
        state.Project_Folder = state.Projects_Folder + "/plant a";
        When_Modal_Shows([](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>("ListBox1");
            QCOMPARE(list->currentItem()->text(), QStringLiteral("Plant A"));
            static_cast<QDialog*>(modal)->accept();
        });
        window.Btn_Open->click();
        QCOMPARE(state.Project_Name, QStringLiteral("Plant A"));

        // Enter in the list opens the selected project.
        QVERIFY(QDir().mkpath(state.Projects_Folder + "/Plant B"));
        When_Modal_Shows([](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>("ListBox1");
            const QList<QListWidgetItem*> found = list->findItems("Plant B", Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            list->setCurrentItem(found.first());
            QTest::keyClick(list, Qt::Key_Return);
            QVERIFY(!modal->isVisible());
        });
        window.Btn_Open->click();
        QCOMPARE(state.Project_Name, QStringLiteral("Plant B"));

        // Cancel changes nothing.
        When_Modal_Shows([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
        window.Btn_Open->click();
        QCOMPARE(state.Project_Folder, state.Projects_Folder + "/Plant B");
    }

    void long_project_name_keeps_the_window_size() {
        QTemporaryDir dir;
        app::Session_State state;
        app::Start_Session(state, dir.path());
        Scripted_Prompt prompt;
        app::TFQuillonFirmWare plain(state, prompt);
        const QString name = QString(200, u'N') + QStringLiteral(" end");
        state.Project_Name = name;
        state.Project_Folder = state.Projects_Folder + "/" + name;
        app::TFQuillonFirmWare window(state, prompt);
        QCOMPARE(window.size(), plain.size());
        QCOMPARE(window.L_Name_Conf_L2->text(), name);
        QCOMPARE(window.L_Name_Conf_L2->toolTip(), name);
        QVERIFY(plain.L_Name_Conf_L2->toolTip().isEmpty());
        QCOMPARE(plain.Btn_Info->toolTip(), QStringLiteral("Information"));
    }

    void open_with_an_empty_list_leaves_no_project() {
        QTemporaryDir dir;
        app::Session_State state;
        app::Start_Session(state, dir.path());
        state.Project_Name = "Old";
        state.Project_Folder = state.Projects_Folder + "/Old";
        Scripted_Prompt prompt;
        app::TFQuillonFirmWare window(state, prompt);
        When_Modal_Shows([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
        window.Btn_Open->click();
        QVERIFY(!state.Project_Active());
        QCOMPARE(window.L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
        window.Btn_Prm_Gen->click();
        QCOMPARE(prompt.errors, QStringList("Error! Project not Valid"));
    }
};

QTEST_MAIN(Test_Main_Window)
#include "test_main_window.moc"
