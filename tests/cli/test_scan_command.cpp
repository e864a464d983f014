#include "cli/cli_runner.h"
#include "support/converter_sim.h"

#include <QTest>

class Test_Scan_Command : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Prints_One_Line_Per_Variable() {
        Converter_Sim sim;
        QVERIFY(sim.Start());
        const Cli_Result result =
            Run_Cli({"scan", "127.0.0.1", "--devices", "5", "--port", QString::number(sim.Port())});
        QCOMPARE(result.exit_code, 0);
        const QList<QByteArray> lines = result.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[0], QByteArray("0x261A0012AB\t5\tTT-101 REACTOR INLET TEMP\tPrimary "
                                      "Variable\tTemperature\t\xC2\xB0"
                                      "C (degrees Celsius)"));
        QCOMPARE(lines[8].split('\t').size(), 6);
        QVERIFY(result.err.contains("Search Finish - Read Information Device 2 - Waiting..."));
        QCOMPARE(sim.Requests().first(), "F_FULL_05");
    }

    void Failure_Prints_The_Status_And_Exits_1() {
        Converter_Sim sim;
        QVERIFY(sim.Start({"--silent"}));
        const Cli_Result result =
            Run_Cli({"scan", "127.0.0.1", "--port", QString::number(sim.Port())});
        QCOMPARE(result.exit_code, 1);
        QVERIFY(result.out.isEmpty());
        QVERIFY(result.err.contains("Devices Search Finished - Error in Devices Search Started\n"
                                    "Search Finish with Errors\n"));
    }

    void Wrong_Usage_Exits_2_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no address") << QStringList{"scan"};
        QTest::newRow("not an address") << QStringList{"scan", "converter"};
        QTest::newRow("devices 0") << QStringList{"scan", "127.0.0.1", "--devices", "0"};
        QTest::newRow("devices 65") << QStringList{"scan", "127.0.0.1", "--devices", "65"};
        QTest::newRow("port missing") << QStringList{"scan", "127.0.0.1", "--port"};
        QTest::newRow("two addresses") << QStringList{"scan", "127.0.0.1", "127.0.0.2"};
    }

    void Wrong_Usage_Exits_2() {
        QFETCH(QStringList, arguments);
        const Cli_Result result = Run_Cli(arguments);
        QCOMPARE(result.exit_code, 2);
        QVERIFY(result.err.contains("Usage: quillon-cli scan IP"));
    }
};

QTEST_GUILESS_MAIN(Test_Scan_Command)
#include "test_scan_command.moc"
