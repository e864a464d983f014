// A save interrupted half-way never leaves a half-written project file: the file is always the
// whole previous version or the whole new one, and a save refused by the folder keeps it.

#include "hart/hart_variables.h"
#include "hostile_files.h"
#include "save_tables.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class Test_Interrupted_Save : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Killed_While_Saving_Leaves_A_Whole_File();
    void Read_Only_Folder_Keeps_The_Previous_File();
};

void Test_Interrupted_Save::Killed_While_Saving_Leaves_A_Whole_File() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("HART_Variables.xml"));
    const QString version_b = dir.filePath(QStringLiteral("B.xml"));
    QVERIFY(hart::Save_HART_Variables(version_b, Large_Table('B')).isEmpty());
    QVERIFY(hart::Save_HART_Variables(path, Large_Table('A')).isEmpty());
    const QByteArray whole_a = Read_Test_File(path);
    const QByteArray whole_b = Read_Test_File(version_b);
    QVERIFY(whole_a.size() > 150000);

    int saw_b = 0;
    for (int round = 0; round < 20; ++round) {
        QProcess child;
        child.start(QStringLiteral(SAVE_CHILD), {path});
        QVERIFY(child.waitForReadyRead(30000));
        QTest::qWait(int(QRandomGenerator::global()->bounded(5, 200)));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QByteArray now = Read_Test_File(path);
        QVERIFY2(now == whole_a || now == whole_b,
                 qPrintable(QStringLiteral("round %1: a file of %2 bytes, neither version")
                                .arg(round)
                                .arg(now.size())));
        saw_b += now == whole_b;
        const hart::HART_Variables_Load load = hart::Load_HART_Variables(path);
        QCOMPARE(load.status, project::Load_Status::Loaded);
        QCOMPARE(load.rows.size(), hart::HART_Variables_Rows);
    }
    qInfo("the new version had replaced the old in %d of 20 rounds", saw_b);
}

void Test_Interrupted_Save::Read_Only_Folder_Keeps_The_Previous_File() {
    QTemporaryDir dir;
    if (!Permissions_Enforced(dir.path()))
        QSKIP("file permissions are not enforced for this user");
    const QString folder = dir.filePath(QStringLiteral("Project"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("HART_Variables.xml"));
    QVERIFY(hart::Save_HART_Variables(path, Large_Table('A')).isEmpty());
    const QByteArray whole_a = Read_Test_File(path);
    const auto read_only = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    QVERIFY(QFile::setPermissions(folder, read_only));

    const QString error = hart::Save_HART_Variables(path, Large_Table('B'));
    QFile::setPermissions(folder, read_only | QFileDevice::WriteOwner);
    QVERIFY2(error.contains(QStringLiteral("HART_Variables.xml")), qPrintable(error));
    QCOMPARE(Read_Test_File(path), whole_a);
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             QStringList{QStringLiteral("HART_Variables.xml")});
}

QTEST_GUILESS_MAIN(Test_Interrupted_Save)
#include "test_interrupted_save.moc"
