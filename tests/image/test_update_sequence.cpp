#include "image/update_device.h"
#include "lang/string_table.h"
#include "scripted_echo.h"
#include "stand_in_updater.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using image::Echo_Result;
using image::Update_Outcome;
using image::Update_Sequence;

namespace {

/// A program folder with MASTER, a project with its two bank files and a stand-in updater.
struct Program_Fixture {
    QTemporaryDir dir;

    Program_Fixture() {
        for (const char* file : {"MASTER/Sim20417.sim", "MASTER/web_files_hart.bin",
                                 "PROJECTS/Plant/bin/bank1.bin", "PROJECTS/Plant/bin/bank2.bin"})
            Write_Test_File(dir.filePath(file), "image");
        Write_Stand_In_Updater(dir.path());
    }

    image::Update_Script_Values Values() const {
        image::Update_Script_Values values;
        values.IP_Address = QStringLiteral("127.0.0.1");
        values.Master_Folder = dir.filePath("MASTER");
        values.Project_Folder = dir.filePath("PROJECTS/Plant");
        return values;
    }

    bool Updater_Ran() const { return QFileInfo::exists(dir.filePath("ran.txt")); }
    bool Script_Written() const { return QFileInfo::exists(dir.filePath("Ethernet_Update.xml")); }
};

struct Outcome {
    Update_Outcome outcome;
    QString message;
    int exit_code;
};

Outcome Run(Update_Sequence& sequence, const Program_Fixture& fixture,
            const image::Update_Script_Values& values) {
    QSignalSpy finished(&sequence, &Update_Sequence::Finished);
    sequence.Execute(values, fixture.dir.path());
    if (!finished.wait(15000))
        qFatal("the update did not finish");
    const QList<QVariant> args = finished.first();
    return {args[0].value<Update_Outcome>(), args[1].toString(), args[2].toInt()};
}

constexpr image::Update_Timing Short{{50, 300}, 300};

} // namespace

class Test_Update_Sequence : public QObject {
    Q_OBJECT

    const lang::String_Table texts_;

private Q_SLOTS:
    void answered_check_runs_the_updater_with_its_script() {
        Program_Fixture fixture;
        Scripted_Echo_Sender sender;
        Update_Sequence sequence(sender, texts_, Short);
        QSignalSpy answered(&sequence, &Update_Sequence::Echo_Answered);
        QSignalSpy started(&sequence, &Update_Sequence::Updater_Started);
        const Outcome result = Run(sequence, fixture, fixture.Values());
        QCOMPARE(result.outcome, Update_Outcome::Updater_Ended);
        QCOMPARE(result.exit_code, 0);
        QCOMPARE(result.message, QString());
        QCOMPARE(answered.size(), 1);
        QCOMPARE(started.size(), 1);
        // The updater found the finished script when it started.
        const QByteArray script = Read_Test_File(fixture.dir.filePath("Ethernet_Update.xml"));
        QVERIFY(script.contains("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"));
        QCOMPARE(Read_Test_File(fixture.dir.filePath("seen.xml")), script);
    }

    void failures_data() {
        QTest::addColumn<int>("echo");       // what every echo gives
        QTest::addColumn<QString>("remove"); // a file removed from the fixture
        QTest::addColumn<QByteArray>("updater_then");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("script_written");
        QTest::addColumn<bool>("updater_ran");

        const int reply = int(Echo_Result::Reply);
        QTest::newRow("device not found")
            << int(Echo_Result::No_Reply) << QString() << QByteArray("exit 0")
            << int(Update_Outcome::Device_Not_Found) << "Device Not Found!" << false << false;
        QTest::newRow("no echo result")
            << int(Echo_Result::Unusable) << QString() << QByteArray("exit 0")
            << int(Update_Outcome::Address_Unusable) << "Error!!! Check the Ip Address" << false
            << false;
        QTest::newRow("firmware missing")
            << reply << "MASTER/Sim20417.sim" << QByteArray("exit 0")
            << int(Update_Outcome::File_Missing) << "Error!!! File not found: " << false << false;
        QTest::newRow("updater missing")
            << reply << "Ethernet_Update.exe" << QByteArray("exit 0")
            << int(Update_Outcome::Not_Started)
            << "Error!!! The update program cannot be started: " << true << false;
        QTest::newRow("updater hangs")
            << reply << QString() << QByteArray("sleep 2") << int(Update_Outcome::Timed_Out)
            << "The update program is still running" << true << true;
    }

    void failures() {
        QFETCH(int, echo);
        QFETCH(QString, remove);
        QFETCH(QByteArray, updater_then);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        QFETCH(bool, script_written);
        QFETCH(bool, updater_ran);

        Program_Fixture fixture;
        QVERIFY(Write_Stand_In_Updater(fixture.dir.path(), updater_then));
        if (!remove.isEmpty())
            QVERIFY(QFile::remove(fixture.dir.filePath(remove)));
        Scripted_Echo_Sender sender;
        sender.then = Echo_Result(echo);
        Update_Sequence sequence(sender, texts_, Short);
        const Outcome result = Run(sequence, fixture, fixture.Values());
        QCOMPARE(int(result.outcome), outcome);
        QVERIFY2(result.message.startsWith(message), qPrintable(result.message));
        if (!remove.isEmpty())
            QVERIFY(result.message.contains(QDir::toNativeSeparators(remove)));
        QTRY_COMPARE(fixture.Updater_Ran(), updater_ran);
        QCOMPARE(fixture.Script_Written(), script_written);
    }

    void banks_that_cannot_be_written_are_reported() {
        QTemporaryDir project;
        // A file where the bin folder should be: the banks cannot be written.
        QVERIFY(Write_Test_File(project.filePath("bin"), "not a folder"));
        const QString message = image::Compile_Banks(project.path(), texts_);
        QVERIFY2(message.startsWith("Error!!! The configuration files cannot be written: "),
                 qPrintable(message));
        QVERIFY(message.contains("bin"));
    }

    void compile_abort_keeps_its_reason() {
        QTemporaryDir project;
        QVERIFY(Write_Test_File(project.filePath("ParGen.xml"), "<Par_Gen>\n<A>1</B>"));
        const QString message = image::Compile_Banks(project.path(), texts_);
        QVERIFY2(message.contains("ParGen.xml"), qPrintable(message));
        QVERIFY(!message.startsWith("Error!!! The configuration files"));
        QVERIFY(!QFileInfo::exists(project.filePath("bin/bank1.bin")));
    }

    void compile_writes_both_banks() {
        QTemporaryDir project;
        QCOMPARE(image::Compile_Banks(project.path(), texts_), QString());
        QCOMPARE(QFileInfo(project.filePath("bin/bank1.bin")).size(), 2048);
        QCOMPARE(QFileInfo(project.filePath("bin/bank2.bin")).size(), 67620);
    }
};

QTEST_GUILESS_MAIN(Test_Update_Sequence)
#include "test_update_sequence.moc"
