#include "cli/cli_runner.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

class Test_Cli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void conventions() {
        Cli_Result help = Run_Cli({"--help"});
        QCOMPARE(help.exit_code, 0);
        QVERIFY(help.out.contains("strings"));
        Cli_Result version = Run_Cli({"--version"});
        QCOMPARE(version.exit_code, 0);
        QCOMPARE(version.out, QByteArray("1.002\n"));
        for (const QStringList& wrong :
             {QStringList{}, QStringList{"frobnicate"}, QStringList{"strings", "a", "b"}}) {
            Cli_Result result = Run_Cli(wrong);
            QCOMPARE(result.exit_code, 2);
            QVERIFY(result.out.isEmpty());
            QVERIFY(result.err.contains("Usage"));
        }
    }

    void strings_prints_every_entry() {
        QTemporaryDir dir;
        const QString lng = dir.filePath("Italiano.lng");
        QVERIFY(Write_Test_File(lng, "\xEF\xBB\xBFSTR15 = Nuova \xC3\xA8\xC2\xB6\n"));
        Cli_Result result = Run_Cli({"strings", lng});
        QCOMPARE(result.exit_code, 0);
        const QList<QByteArray> lines = result.out.split('\n');
        QCOMPARE(lines.size(), 2901); // 2900 lines and the final line end
        QCOMPARE(lines[0], QByteArray("0\tBegin"));
        QCOMPARE(lines[15], QByteArray("15\tNuova \xC3\xA8"));
        QCOMPARE(lines[57], QByteArray("57\t "));
        QCOMPARE(lines[2899], QByteArray("2899\t "));

        Cli_Result missing = Run_Cli({"strings", dir.filePath("none.lng")});
        QCOMPARE(missing.exit_code, 1);
        QVERIFY(missing.out.isEmpty());
        QVERIFY(!missing.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_Cli)
#include "test_cli.moc"
