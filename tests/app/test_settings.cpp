#include "app/settings.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Settings_Xml(const QByteArray& flags,
                        const QByteArray& ip = "<ipaddress>10.0.0.9</ipaddress>") {
    return "<Conf_Settings><lastproj><projectname>Plant A</projectname></lastproj>"
           "<lastipadd>" +
           ip +
           "</lastipadd><lastlang><language>English</language></lastlang>"
           "<lastinternet>" +
           flags + "</lastinternet></Conf_Settings>";
}

} // namespace

class Test_Settings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void first_start_creates_folders_and_writes_defaults() {
        QTemporaryDir dir;
        app::Session_State state;
        QCOMPARE(app::Start_Session(state, dir.path()), QString());
        for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE"})
            QVERIFY(QFileInfo(dir.filePath(folder)).isDir());
        QVERIFY(!QFileInfo::exists(dir.filePath("Quillon.xml")));
        QVERIFY(!state.Project_Active());
        QCOMPARE(state.SW_Code, QStringLiteral("VX20417"));
        QCOMPARE(state.Window_Caption,
                 QStringLiteral("Tolmex - Configurator VX20417 - BACnet Slave / HART Master "));

        QCOMPARE(app::Save_Setting(state), QString());
        app::Session_State again;
        app::Start_Session(again, dir.path());
        QCOMPARE(again.Project_Name, QString());
        QCOMPARE(again.Last_IP_Address, QStringLiteral("192.168.2.205"));
        QCOMPARE(again.Language_Name, QStringLiteral("English"));
        const QByteArray saved = Read_Test_File(dir.filePath("Quillon.xml"));
        QVERIFY(saved.startsWith("<Conf_Settings>"));
        QCOMPARE(saved.count("<enable_internet>0<"), 1);
        QCOMPARE(saved.count("<Double_Click_Auto_Size>0<"), 1);
    }

    void flags_and_values_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QList<bool>>("flags");
        QTest::addColumn<QString>("ip");
        QTest::newRow("all on")
            << Settings_Xml("<enable_internet>1</enable_internet><enable_update>1</enable_update>"
                            "<enable_jump_field_tables>1</enable_jump_field_tables>"
                            "<Double_Click_Auto_Size>1</Double_Click_Auto_Size>")
            << QList<bool>{true, true, true, true} << "10.0.0.9";
        QTest::newRow("only exactly 1 is true")
            << Settings_Xml(
                   "<enable_internet>true</enable_internet><enable_update> 1</enable_update>"
                   "<enable_jump_field_tables>1</enable_jump_field_tables>")
            << QList<bool>{false, false, true, false} << "10.0.0.9";
        QTest::newRow("missing enable_update only")
            << Settings_Xml("<enable_internet>1</enable_internet>"
                            "<enable_jump_field_tables>1</enable_jump_field_tables>"
                            "<Double_Click_Auto_Size>1</Double_Click_Auto_Size>")
            << QList<bool>{true, false, true, true} << "10.0.0.9";
        QTest::newRow("empty ipaddress stays empty")
            << Settings_Xml("", "<ipaddress></ipaddress>")
            << QList<bool>{false, false, false, false} << "";
        QTest::newRow("missing ipaddress takes default")
            << Settings_Xml("", "") << QList<bool>{false, false, false, false} << "192.168.2.205";
    }

    void flags_and_values() {
        QFETCH(QByteArray, xml);
        QFETCH(QList<bool>, flags);
        QFETCH(QString, ip);
        QTemporaryDir dir;
        QVERIFY(Write_Test_File(dir.filePath("Quillon.xml"), xml));
        app::Session_State state;
        QCOMPARE(app::Start_Session(state, dir.path()), QString());
        QCOMPARE((QList<bool>{state.Enable_Internet, state.Enable_Update,
                              state.Enable_Jump_Field_Tables, state.Double_Click_Auto_Size}),
                 flags);
        QCOMPARE(state.Last_IP_Address, ip);
    }

    void last_project_reopened_only_when_its_folder_exists() {
        QTemporaryDir dir;
        QVERIFY(Write_Test_File(dir.filePath("Quillon.xml"), Settings_Xml("")));
        app::Session_State state;
        app::Start_Session(state, dir.path());
        QVERIFY(!state.Project_Active());
        QCOMPARE(state.Project_Name, QStringLiteral("Plant A"));
        app::Save_Setting(state);
        QVERIFY(Read_Test_File(dir.filePath("Quillon.xml")).contains("<projectname>Plant A<"));

        QVERIFY(QDir().mkpath(dir.filePath("PROJECTS/Plant A")));
        app::Start_Session(state, dir.path());
        QCOMPARE(state.Project_Folder, QDir(dir.filePath("PROJECTS")).filePath("Plant A"));
        QCOMPARE(state.BACnet_Slave_File,
                 state.Project_Folder + QStringLiteral("/BACnet_Slave.xml"));
    }

    void project_names_that_leave_projects_are_no_last_project_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("parent folders") << QByteArray("../../x");
        QTest::newRow("absolute path") << QByteArray("/tmp");
        QTest::newRow("parent") << QByteArray("..");
        QTest::newRow("backslash") << QByteArray("a\\..\\..\\x");
    }

    void project_names_that_leave_projects_are_no_last_project() {
        QFETCH(QByteArray, name);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("PROJECTS/a")));
        QVERIFY(QDir().mkpath(dir.filePath("x")));
        QVERIFY(Write_Test_File(dir.filePath("Quillon.xml"),
                                "<Conf_Settings><lastproj><projectname>" + name +
                                    "</projectname></lastproj></Conf_Settings>"));
        app::Session_State state;
        QCOMPARE(app::Start_Session(state, dir.path()), QString());
        QCOMPARE(state.Project_Name, QString());
        QVERIFY(!state.Project_Active());
    }

    void latin1_project_name_survives_the_next_close() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("PROJECTS/Pl\u00E4nt")));
        QVERIFY(Write_Test_File(dir.filePath("Quillon.xml"),
                                "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Conf_Settings>"
                                "<lastproj><projectname>Pl\xE4nt</projectname></lastproj>"
                                "</Conf_Settings>"));
        app::Session_State state;
        QCOMPARE(app::Start_Session(state, dir.path()), QString());
        QCOMPARE(state.Project_Name, QStringLiteral("Pl\u00E4nt"));
        QVERIFY(state.Project_Active());
        QCOMPARE(app::Save_Setting(state), QString());
        app::Session_State again;
        QCOMPARE(app::Start_Session(again, dir.path()), QString());
        QCOMPARE(again.Project_Name, QStringLiteral("Pl\u00E4nt"));
    }

    void undeclared_latin1_is_refused_and_kept() {
        QTemporaryDir dir;
        const QByteArray latin1 =
            "<Conf_Settings><lastproj><projectname>Pl\xE4nt</projectname></lastproj>"
            "</Conf_Settings>";
        QVERIFY(Write_Test_File(dir.filePath("Quillon.xml"), latin1));
        app::Session_State state;
        const QString warning = app::Start_Session(state, dir.path());
        QVERIFY2(warning.contains("line 1, column 41"), qPrintable(warning));
        QCOMPARE(app::Save_Setting(state), QString());
        QCOMPARE(Read_Test_File(dir.filePath("Quillon.xml.bak")), latin1);
    }

    void unreadable_settings_use_defaults_and_are_kept() {
        QTemporaryDir dir;
        const QByteArray broken = "<Conf_Settings><lastproj>";
        QVERIFY(Write_Test_File(dir.filePath("Quillon.xml"), broken));
        QVERIFY(Write_Test_File(dir.filePath("LANGUAGE/English.lng"), "STR60 = Settings lost"));
        app::Session_State state;
        const QString warning = app::Start_Session(state, dir.path());
        // The warning reads in the language just loaded.
        QVERIFY(warning.startsWith("Settings lost\n"));
        QVERIFY(warning.contains("Quillon.xml"));
        QCOMPARE(state.Last_IP_Address, QStringLiteral("192.168.2.205"));
        QCOMPARE(app::Save_Setting(state), QString());
        QCOMPARE(Read_Test_File(dir.filePath("Quillon.xml.bak")), broken);
        QVERIFY(Read_Test_File(dir.filePath("Quillon.xml")).startsWith("<Conf_Settings>"));
    }
};

QTEST_GUILESS_MAIN(Test_Settings)
#include "test_settings.moc"
