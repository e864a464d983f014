#include "cli/cli_runner.h"
#include "image/stand_in_updater.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

/// A program folder of its own: a copy of quillon-cli, MASTER with the firmware images and a
/// stand-in updater; and a project folder beside it.
struct Cli_Fixture {
    QTemporaryDir dir;
    QString program_folder = dir.filePath("program");
    QString project = dir.filePath("Plant");

    bool Set_Up(const QByteArray& updater_then = "exit 0") {
        const QString cli = QDir(program_folder).filePath("quillon-cli");
        return QDir().mkpath(program_folder) && QDir().mkpath(project) &&
               QFile::copy(qEnvironmentVariable("QUILLON_CLI"), cli) &&
               Write_Test_File(In_Program("MASTER/Sim20417.sim"), "firmware") &&
               Write_Test_File(In_Program("MASTER/web_files_hart.bin"), "web pages") &&
               Write_Stand_In_Updater(program_folder, updater_then);
    }

    QString In_Program(const QString& file) const { return QDir(program_folder).filePath(file); }

    Cli_Result Update(const QStringList& arguments) const {
        return Run_Program(In_Program("quillon-cli"), QStringList{"update"} + arguments);
    }

    bool Updater_Ran() const { return QFileInfo::exists(In_Program("ran.txt")); }
    QByteArray Script() const { return Read_Test_File(In_Program("Ethernet_Update.xml")); }
};

} // namespace

class Test_Update_Command : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void updates_the_converter_at_loopback() {
        Cli_Fixture fixture;
        QVERIFY(fixture.Set_Up());
        const Cli_Result result = fixture.Update({fixture.project, "127.0.0.1"});
        if (result.exit_code == 1 && result.err.contains("Check the Ip Address"))
            QSKIP("this system allows no ICMP socket to the test user");
        QVERIFY2(result.exit_code == 0, result.err.constData());
        QVERIFY(fixture.Updater_Ran());
        QCOMPARE(QFileInfo(fixture.project + "/bin/bank1.bin").size(), 2048);
        const QByteArray script = fixture.Script();
        QCOMPARE(script.count("<Operation>"), 4);
        QCOMPARE(script.count("<Ope_Read_Back>1</Ope_Read_Back>"), 4);
        QVERIFY(script.contains("<Protection>0x200</Protection>"));
        QCOMPARE(Read_Test_File(fixture.In_Program("seen.xml")), script);
        for (const char* step : {"Compiling", "answered", "Wrote", "Started", "status 0"})
            QVERIFY2(result.err.contains(step), step);
        QVERIFY(!QFileInfo::exists(fixture.In_Program("Quillon.xml")));
    }

    void options_reach_the_script() {
        Cli_Fixture fixture;
        QVERIFY(fixture.Set_Up());
        QVERIFY(Write_Test_File(fixture.project + "/ParGen.xml",
                                "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>"));
        // Only the configuration is sent: the firmware images are not needed.
        QVERIFY(QFile::remove(fixture.In_Program("MASTER/Sim20417.sim")));
        const Cli_Result result = fixture.Update(
            {"--no-read-back", fixture.project, "127.0.0.1", "--option", "configuration"});
        if (result.exit_code == 1 && result.err.contains("Check the Ip Address"))
            QSKIP("this system allows no ICMP socket to the test user");
        QVERIFY2(result.exit_code == 0, result.err.constData());
        const QByteArray script = fixture.Script();
        QCOMPARE(script.count("<Operation>"), 2);
        QCOMPARE(script.count("<Ope_Read_Back>0</Ope_Read_Back>"), 2);
        QVERIFY(script.contains("<Protection>0x201</Protection>"));
    }

    void failures_exit_1_with_the_reason_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("remove");
        QTest::addColumn<QByteArray>("updater_then");
        QTest::addColumn<QByteArray>("reason");
        QTest::addColumn<bool>("updater_ran");
        QTest::newRow("bad address") << "127.0.0" << QString() << QByteArray("exit 0")
                                     << QByteArray("Error!!! Check the Ip Address") << false;
        QTest::newRow("firmware missing") << "127.0.0.1"
                                          << "MASTER/Sim20417.sim" << QByteArray("exit 0")
                                          << QByteArray("Error!!! File not found: ") << false;
        QTest::newRow("updater fails") << "127.0.0.1" << QString() << QByteArray("exit 3")
                                       << QByteArray("ended with status 3") << true;
    }

    void failures_exit_1_with_the_reason() {
        QFETCH(QString, ip);
        QFETCH(QString, remove);
        QFETCH(QByteArray, updater_then);
        QFETCH(QByteArray, reason);
        QFETCH(bool, updater_ran);
        Cli_Fixture fixture;
        QVERIFY(fixture.Set_Up(updater_then));
        if (!remove.isEmpty())
            QVERIFY(QFile::remove(fixture.In_Program(remove)));
        const Cli_Result result = fixture.Update({fixture.project, ip});
        if (ip != "127.0.0" && result.err.contains("Check the Ip Address"))
            QSKIP("this system allows no ICMP socket to the test user");
        QCOMPARE(result.exit_code, 1);
        QVERIFY2(result.err.contains(reason), result.err.constData());
        QCOMPARE(fixture.Updater_Ran(), updater_ran);
    }

    void usage_errors_exit_2_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no arguments") << QStringList{};
        QTest::newRow("no address") << QStringList{"PROJECT"};
        QTest::newRow("unknown option") << QStringList{"PROJECT", "127.0.0.1", "--fast"};
        QTest::newRow("unknown update option")
            << QStringList{"PROJECT", "127.0.0.1", "--option", "web"};
        QTest::newRow("option without value") << QStringList{"PROJECT", "127.0.0.1", "--option"};
        QTest::newRow("extra argument") << QStringList{"PROJECT", "127.0.0.1", "more"};
    }

    void usage_errors_exit_2() {
        QFETCH(QStringList, arguments);
        Cli_Fixture fixture;
        QVERIFY(fixture.Set_Up());
        arguments.replaceInStrings("PROJECT", fixture.project);
        const Cli_Result result = fixture.Update(arguments);
        QCOMPARE(result.exit_code, 2);
        QVERIFY(result.err.contains("Usage: quillon-cli update"));
        QVERIFY(!QFileInfo::exists(fixture.project + "/bin"));
        QVERIFY(!fixture.Updater_Ran());
    }

    void missing_project_folder_fails() {
        Cli_Fixture fixture;
        QVERIFY(fixture.Set_Up());
        const Cli_Result result = fixture.Update({fixture.dir.filePath("none"), "127.0.0.1"});
        QCOMPARE(result.exit_code, 1);
        QVERIFY(!fixture.Updater_Ran());
    }
};

QTEST_GUILESS_MAIN(Test_Update_Command)
#include "test_update_command.moc"
