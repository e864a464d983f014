#include "image/program_launcher.h"
#include "stand_in_updater.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using image::Launch_Outcome;
using image::Program_Launcher;

namespace {

QString Updater(const QTemporaryDir& dir) {
    return dir.filePath("Ethernet_Update.exe");
}

} // namespace

class Test_Program_Launcher : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void waits_until_the_program_ends_data() {
        QTest::addColumn<QByteArray>("then");
        QTest::addColumn<int>("exit_code");
        QTest::newRow("status 0") << QByteArray("sleep 0.3; exit 0") << 0;
        QTest::newRow("status 3") << QByteArray("exit 3") << 3;
        QTest::newRow("crash") << QByteArray("kill -9 $$") << -1;
    }

    void waits_until_the_program_ends() {
        QFETCH(QByteArray, then);
        QFETCH(int, exit_code);
        QTemporaryDir dir;
        QVERIFY(Write_Stand_In_Updater(dir.path(), then));
        Program_Launcher launcher;
        QSignalSpy started(&launcher, &Program_Launcher::Started);
        QSignalSpy finished(&launcher, &Program_Launcher::Finished);
        launcher.Start_Program(Updater(dir), QString(), 0);
        QVERIFY(launcher.Waiting()); // Start_Program returns at once: the event loop runs
        QVERIFY(finished.wait(10000));
        QCOMPARE(started.size(), 1);
        QCOMPARE(finished.first()[0].value<Launch_Outcome>(), Launch_Outcome::Ended);
        QCOMPARE(finished.first()[1].toInt(), exit_code);
        QVERIFY(!launcher.Waiting());
        // No parameters, started in its own folder.
        QCOMPARE(QString::fromUtf8(Read_Test_File(dir.filePath("ran.txt"))),
                 QStringLiteral("0\n%1\n").arg(QDir(dir.path()).canonicalPath()));
    }

    void hanging_program_hits_the_bound_and_keeps_running() {
        QTemporaryDir dir;
        QVERIFY(Write_Stand_In_Updater(dir.path(), "sleep 1; touch \"$here/done\""));
        Program_Launcher launcher;
        launcher.Set_Bound_Ms(200);
        QSignalSpy finished(&launcher, &Program_Launcher::Finished);
        launcher.Start_Program(Updater(dir), QString(), 0);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first()[0].value<Launch_Outcome>(), Launch_Outcome::Timed_Out);
        QVERIFY(!QFileInfo::exists(dir.filePath("done")));
        // Never killed: it may be writing the converter's flash.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath("done")), 5000);
        QCOMPARE(finished.size(), 1);
    }

    void program_that_cannot_start_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not executable") << QByteArray("#!/bin/sh\nexit 0\n");
    }

    void program_that_cannot_start() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        if (!content.isEmpty())
            QVERIFY(Write_Test_File(Updater(dir), content));
        Program_Launcher launcher;
        QSignalSpy started(&launcher, &Program_Launcher::Started);
        QSignalSpy finished(&launcher, &Program_Launcher::Finished);
        launcher.Start_Program(Updater(dir), QString(), 0);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first()[0].value<Launch_Outcome>(), Launch_Outcome::Not_Started);
        QVERIFY(!finished.first()[2].toString().isEmpty());
        QCOMPARE(started.size(), 0);
    }
};

QTEST_GUILESS_MAIN(Test_Program_Launcher)
#include "test_program_launcher.moc"
