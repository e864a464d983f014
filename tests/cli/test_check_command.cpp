#include "cli/cli_runner.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

class Test_Check_Command : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void usage() {
        for (const QStringList& wrong : {QStringList{"check"}, QStringList{"check", "a", "b"}}) {
            const Cli_Result result = Run_Cli(wrong);
            QCOMPARE(result.exit_code, 2);
            QVERIFY(result.out.isEmpty());
            QVERIFY(result.err.contains("Usage"));
        }
        QVERIFY(Run_Cli({"--help"}).out.contains("check PROJECT_FOLDER"));
    }

    void empty_project_passes() {
        QTemporaryDir dir;
        const Cli_Result result = Run_Cli({"check", dir.path()});
        QCOMPARE(result.exit_code, 0);
        QVERIFY(result.out.isEmpty());
        QVERIFY(result.err.isEmpty());
    }

    void missing_folder_fails() {
        QTemporaryDir dir;
        const Cli_Result result = Run_Cli({"check", dir.filePath("none")});
        QCOMPARE(result.exit_code, 1);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!result.err.isEmpty());
    }

    void communication_settings_data() {
        QTest::addColumn<QByteArray>("elements");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("valid") << QByteArray("<BACnet_PORT>47808</BACnet_PORT>") << QByteArray();
        QTest::newRow("port") << QByteArray("<BACnet_PORT>10000</BACnet_PORT>")
                              << QByteArray("Error BACnet!! PORT must be between 0 and 65535, "
                                            "and different from 10000 and 10001\n");
        QTest::newRow("diagnostic")
            << QByteArray("<HART_Master_Enable_Diagnostic>1</HART_Master_Enable_Diagnostic>"
                          "<HART_Master_Diagnostic>1439</HART_Master_Diagnostic>")
            << QByteArray("Error HART Master!! Diagnostic Position must be between 0 and 1438\n");
        QTest::newRow("ms/tp")
            << QByteArray("<BACnet_Type>1</BACnet_Type><BACnet_Ser_NAME_STA>my_dev"
                          "</BACnet_Ser_NAME_STA>")
            << QByteArray("Error BACnet!! BACnet Device Name is not correct (allowed characters "
                          "are 'a'..'z' and '0'..'1')\n");
        QTest::newRow("type outside the list")
            << QByteArray("<BACnet_Type>2</BACnet_Type>")
            << QByteArray("BACnet_Type \"2\" is not one of the converter's choices\n");
        QTest::newRow("parity outside the list")
            << QByteArray("<BACnet_Type>1</BACnet_Type><BACnet_Ser_Parity>-1</BACnet_Ser_Parity>")
            << QByteArray("BACnet_Ser_Parity \"-1\" is not one of the converter's choices\n");
        QTest::newRow("type that is no number keeps BACnet/IP")
            << QByteArray("<BACnet_Type>x</BACnet_Type>") << QByteArray();
    }

    void communication_settings() {
        QFETCH(QByteArray, elements);
        QFETCH(QByteArray, out);
        QTemporaryDir dir;
        QVERIFY(Write_Test_File(dir.filePath("ParGen.xml"), "<Par_Gen>" + elements + "</Par_Gen>"));
        const Cli_Result result = Run_Cli({"check", dir.path()});
        QVERIFY2(result.out.endsWith(out), result.out.constData());
        QCOMPARE(result.out.isEmpty(), out.isEmpty());
        QCOMPARE(result.exit_code, out.isEmpty() ? 0 : 1);
    }

    void hart_variables_data() {
        QTest::addColumn<QByteArray>("attributes");
        QTest::addColumn<QByteArray>("out");
        const QByteArray valid = "Device_Address=\"0x1A2B3C4D5E\" Preamble_Count=\"5\" "
                                 "Var_Cmd_Number=\"246\" Position=\"0\" TimeOut=\"100\"";
        QTest::newRow("valid") << valid << QByteArray();
        QTest::newRow("position") << QByteArray(valid).replace("Position=\"0\"",
                                                               "Position=\"1440\"")
                                  << QByteArray(
                                         "Error row 2!! Position Must be Between 0 and 1440\n");
        QTest::newRow("timeout") << QByteArray(valid).replace("TimeOut=\"100\"", "")
                                 << QByteArray("Error row 2!! TimeOut Must be Between 0 and "
                                               "0xFFFFFFFF\n");
    }

    void hart_variables() {
        QFETCH(QByteArray, attributes);
        QFETCH(QByteArray, out);
        QTemporaryDir dir;
        QVERIFY(Write_Test_File(dir.filePath("HART_Variables.xml"),
                                "<HART><HART_Variables><row Enable=\"N\"/><row " + attributes +
                                    "/></HART_Variables></HART>"));
        const Cli_Result result = Run_Cli({"check", dir.path()});
        QCOMPARE(result.out, out);
        QCOMPARE(result.exit_code, out.isEmpty() ? 0 : 1);
    }

    void hart_table_beyond_its_rows_is_refused() {
        QTemporaryDir dir;
        QByteArray rows;
        for (int i = 0; i < 101; ++i)
            rows += "<row Enable=\"N\"/>";
        QVERIFY(Write_Test_File(dir.filePath("HART_Variables.xml"),
                                "<HART><HART_Variables>" + rows + "</HART_Variables></HART>"));
        const Cli_Result result = Run_Cli({"check", dir.path()});
        QCOMPARE(result.exit_code, 1);
        QVERIFY2(result.out.contains("HART_Variables.xml") && result.out.contains("101 rows"),
                 result.out.constData());
    }

    void communication_settings_are_checked_before_hart_variables() {
        QTemporaryDir dir;
        QVERIFY(Write_Test_File(dir.filePath("ParGen.xml"),
                                "<Par_Gen><BACnet_PORT>10000</BACnet_PORT></Par_Gen>"));
        QVERIFY(Write_Test_File(dir.filePath("HART_Variables.xml"), "<HART><HART_Variables>"));
        Cli_Result result = Run_Cli({"check", dir.path()});
        QCOMPARE(result.exit_code, 1);
        QVERIFY2(result.out.startsWith("Error BACnet!! PORT"), result.out.constData());

        QFile::remove(dir.filePath("ParGen.xml"));
        result = Run_Cli({"check", dir.path()});
        QCOMPARE(result.exit_code, 1);
        QVERIFY2(result.out.contains("HART_Variables.xml") && result.out.contains("line 1"),
                 result.out.constData());
    }

    void unparsable_file_reports_the_parse_error() {
        QTemporaryDir dir;
        QVERIFY(Write_Test_File(dir.filePath("ParGen.xml"), "<Par_Gen><BACnet_PORT>"));
        const Cli_Result result = Run_Cli({"check", dir.path()});
        QCOMPARE(result.exit_code, 1);
        QVERIFY2(result.out.contains("ParGen.xml") && result.out.contains("line 1"),
                 result.out.constData());
    }
};

QTEST_GUILESS_MAIN(Test_Check_Command)
#include "test_check_command.moc"
