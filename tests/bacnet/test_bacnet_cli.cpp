#include "bacnet_fixtures.h"
#include "cli/cli_runner.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

class Test_BACnet_Cli : public QObject {
    Q_OBJECT

private:
    // A project folder named "Plant" holding both files.
    static QString Make_Project(const QTemporaryDir& dir, const QByteArray& access) {
        const QString folder = dir.filePath("Plant");
        [&] {
            QVERIFY(Write_Test_File(folder + "/ParGen.xml",
                                    Par_Gen_File("<BACnet_DEV_IDE>9</BACnet_DEV_IDE>")));
            if (!access.isEmpty())
                QVERIFY(Write_Test_File(folder + "/BACnet_Slave.xml", access));
        }();
        return folder;
    }

private Q_SLOTS:
    void ede_usage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{"ede"};
        QTest::newRow("one path") << QStringList{"ede", "a"};
        QTest::newRow("three paths") << QStringList{"ede", "a", "b", "c"};
        QTest::newRow("unknown option") << QStringList{"ede", "a", "b", "--full"};
    }

    void ede_usage() {
        QFETCH(QStringList, arguments);
        const Cli_Result result = Run_Cli(arguments);
        QCOMPARE(result.exit_code, 2);
        QVERIFY(result.err.contains("Usage"));
    }

    void ede_writes_the_compact_layout() {
        QTemporaryDir dir;
        const QString folder =
            Make_Project(dir, Access_File({Access_Row("Analog Input", "0", "4", "Temp")}, {}));
        const QString output = dir.filePath("objects.txt");
        const Cli_Result result = Run_Cli({"ede", folder, output});
        QCOMPARE(result.exit_code, 0);
        QVERIFY(result.err.isEmpty());
        QVERIFY(!QFile::exists(output + ".csv"));
        const QByteArray bytes = Read_Test_File(output);
        QVERIFY2(bytes.startsWith("PROJECT_NAME; Tolmex--Plant;;;;;;\r\n"), bytes.constData());
        QVERIFY(bytes.endsWith("\r\n9_Temp_0;9;Temp;0;0;Temp;62;\r\n"));
        QVERIFY(bytes.contains("object-instance;description;unit-code;\r\n"));
    }

    void ede_writes_the_full_layout() {
        QTemporaryDir dir;
        const QString folder =
            Make_Project(dir, Access_File({}, {Access_Row("Analog Out", "0", "4", "Out")}));
        const QString output = dir.filePath("full.csv");
        const Cli_Result result = Run_Cli({"ede", "--full-layout", folder, output});
        QCOMPARE(result.exit_code, 0);
        QVERIFY(Read_Test_File(output).endsWith("\r\n9_Out_0;9;Out;1;0;Out;;;;;;;;;62;;\r\n"));
    }

    void ede_failure_writes_nothing() {
        QTemporaryDir dir;
        const QString folder = Make_Project(dir, QByteArray("<BACnet_to_Modbus><BACnet_in_Read/>"
                                                            "</BACnet_to_Modbus>"));
        const QString output = dir.filePath("none.csv");
        const Cli_Result result = Run_Cli({"ede", folder, output});
        QCOMPARE(result.exit_code, 1);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains("table BACnet_in_Write is missing"), result.err.constData());
        QVERIFY(!QFile::exists(output));

        const Cli_Result no_folder = Run_Cli({"ede", dir.filePath("missing"), output});
        QCOMPARE(no_folder.exit_code, 1);
        QVERIFY(!no_folder.err.isEmpty());
        QVERIFY(!QFile::exists(output));
    }

    void check_data() {
        QTest::addColumn<QByteArray>("access");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("valid") << Access_File({Access_Row("Analog Input")}, {}) << QByteArray();
        QTest::newRow("write length")
            << Access_File({Access_Row("Analog Input")}, {Access_Row("Access Door", "0", "2")})
            << QByteArray("Error row 1!! [BACnet in Write] Length with variable \"Access Door\" "
                          "must be equal to 1\n");
        QTest::newRow("row without an attribute")
            << Access_File({R"(<row Data_Type="Analog Input"/>)"}, {})
            << QByteArray("table BACnet_in_Read, row 1: attribute Eng_Unit is missing");
    }

    void check() {
        QFETCH(QByteArray, access);
        QFETCH(QByteArray, out);
        QTemporaryDir dir;
        const Cli_Result result = Run_Cli({"check", Make_Project(dir, access)});
        QVERIFY2(out.isEmpty() ? result.out.isEmpty() : result.out.contains(out),
                 result.out.constData());
        QCOMPARE(result.exit_code, out.isEmpty() ? 0 : 1);
    }

    void check_takes_hart_variables_before_bacnet() {
        QTemporaryDir dir;
        const QString folder =
            Make_Project(dir, Access_File({Access_Row("Analog Input", "1440")}, {}));
        QVERIFY(Write_Test_File(folder + "/HART_Variables.xml", "<HART><HART_Variables>"));
        Cli_Result result = Run_Cli({"check", folder});
        QVERIFY2(result.out.contains("HART_Variables.xml"), result.out.constData());
        QFile::remove(folder + "/HART_Variables.xml");
        result = Run_Cli({"check", folder});
        QVERIFY2(result.out.startsWith("Error row 1!! [BACnet in Read] Position"),
                 result.out.constData());
    }
};

QTEST_GUILESS_MAIN(Test_BACnet_Cli)
#include "test_bacnet_cli.moc"
