#include "cli/cli_runner.h"
#include "image_fixtures.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace {

QStringList Many_Rows(int count) {
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << Object_Row("Analog Value", QStringLiteral("object %1").arg(i));
    return rows;
}

} // namespace

class Test_Compile_Cli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void compile_writes_both_banks() {
        QTemporaryDir dir;
        Project_Fixture{Par_Gen({{"BACnet_Type", "1"}}),
                        Hart_Variables({R"(Enable="Y" Device_Address="1" Cmd_Params="0A0B")"}),
                        BACnet_Slave({Object_Row("Analog Input", "T1")}, {})}
            .Write_To(dir.path());
        // No bin folder yet: the compile creates it.
        const Cli_Result result = Run_Cli({"compile", dir.path()});
        QCOMPARE(result.exit_code, 0);
        QVERIFY(result.err.isEmpty());
        const QByteArray bank1 = Read_Test_File(dir.filePath("bin/bank1.bin"));
        const QByteArray bank2 = Read_Test_File(dir.filePath("bin/bank2.bin"));
        const Compiled expected =
            Compile({Par_Gen({{"BACnet_Type", "1"}}),
                     Hart_Variables({R"(Enable="Y" Device_Address="1" Cmd_Params="0A0B")"}),
                     BACnet_Slave({Object_Row("Analog Input", "T1")}, {})});
        QCOMPARE(bank1, expected.bank1);
        QCOMPARE(bank2, expected.bank2);
        QCOMPARE(bank2.size(), 67620 + 76 + 2);
        QCOMPARE(QDir(dir.filePath("bin")).entryList(QDir::Files).size(), 2); // no leftovers
    }

    void empty_project_sizes() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("bin"));
        QCOMPARE(Run_Cli({"compile", dir.path()}).exit_code, 0);
        QCOMPARE(QFileInfo(dir.filePath("bin/bank1.bin")).size(), 2048);
        QCOMPARE(QFileInfo(dir.filePath("bin/bank2.bin")).size(), 67620);
    }

    void wrong_usage() {
        QCOMPARE(Run_Cli({"compile"}).exit_code, 2);
        QCOMPARE(Run_Cli({"compile", "a", "b"}).exit_code, 2);
        QTemporaryDir dir;
        const Cli_Result missing = Run_Cli({"compile", dir.filePath("none")});
        QCOMPARE(missing.exit_code, 1);
        QVERIFY(!QFileInfo::exists(dir.filePath("none")));
    }

    void abort_leaves_old_banks_data() {
        QTest::addColumn<QByteArray>("par_gen");
        QTest::addColumn<QByteArray>("hart");
        QTest::addColumn<QByteArray>("bacnet");
        QTest::addColumn<QStringList>("message");
        const QByteArray none;
        const QString row_1 = "table BACnet_in_Read, row 1: attribute ";
        const QString no_attr = R"(Data_Type="Analog Input" Eng_Unit="1" Position="2" Bit="0" )"
                                R"(Length="4" Mnemonic="m")";
        const auto without = [&](const QString& attribute) {
            QString row = no_attr;
            row.remove(QRegularExpression(attribute + "=\"[^\"]*\" ?"));
            return BACnet_Slave({row}, {});
        };
        QTest::newRow("ParGen.xml unparsable") << QByteArray("<Par_Gen>\n<A>1</B>") << none << none
                                               << QStringList{"ParGen.xml", "line 2"};
        QTest::newRow("HART_Variables.xml unparsable")
            << none << QByteArray("<HART><HART_Variables>") << none
            << QStringList{"HART_Variables.xml", "line 1"};
        QTest::newRow("BACnet_Slave.xml unparsable")
            << none << none << QByteArray("<BACnet_to_Modbus") << QStringList{"BACnet_Slave.xml"};
        QTest::newRow("no HART element")
            << none
            << QByteArray("<Hart><HART_Variables><row Enable=\"Y\"/></HART_Variables></Hart>")
            << none << QStringList{"HART_Variables.xml", "element HART is missing"};
        QTest::newRow("no HART_Variables")
            << none << QByteArray("<HART><row Enable=\"Y\"/></HART>") << none
            << QStringList{"HART_Variables.xml", "table HART_Variables is missing"};
        QTest::newRow("no BACnet_in_Read")
            << none << none << QByteArray("<BACnet_to_Modbus><BACnet_in_Write/></BACnet_to_Modbus>")
            << QStringList{"BACnet_Slave.xml", "table BACnet_in_Read is missing"};
        QTest::newRow("no BACnet_in_Write")
            << none << none << QByteArray("<BACnet_to_Modbus><BACnet_in_Read/></BACnet_to_Modbus>")
            << QStringList{"BACnet_Slave.xml", "table BACnet_in_Write is missing"};
        QTest::newRow("row without Data_Type, even one matching nothing")
            << none << none
            << BACnet_Slave({Object_Row("Analog Input")},
                            {Object_Row("Analog Out"), "Mnemonic=\"x\""})
            << QStringList{"table BACnet_in_Write, row 2: attribute Data_Type is missing"};
        for (const char* attribute : {"Eng_Unit", "Position", "Bit", "Length", "Mnemonic"})
            QTest::addRow("matching row without %s", attribute)
                << none << none << without(attribute)
                << QStringList{row_1 + attribute + " is missing"};
        QTest::newRow("Eng_Unit not an integer")
            << none << none
            << BACnet_Slave({QString(no_attr).replace(R"(Eng_Unit="1")", R"(Eng_Unit="abc")")}, {})
            << QStringList{row_1 + "Eng_Unit is not an integer (\"abc\")"};
        QTest::newRow("Position empty")
            << none << none
            << BACnet_Slave(
                   {}, {Object_Row("Analog Out"),
                        Object_Row("Analog Value").replace(R"(Position="10")", "Position=\"\"")})
            << QStringList{"table BACnet_in_Write, row 2: attribute Position is not an integer"};
        QTest::newRow("Length not an integer, binary row")
            << none << none
            << BACnet_Slave({Object_Row("Binary Value").replace(R"(Length="4")", "Length=\"\"")},
                            {})
            << QStringList{row_1 + "Length is not an integer"};
        QTest::newRow("more objects than 2047")
            << none << none << BACnet_Slave(Many_Rows(1500), Many_Rows(548))
            << QStringList{"2048 BACnet objects", "at most 2047"};
        QTest::newRow("more objects than 1023 with long names")
            << Par_Gen({{"BACnet_Desc_Chars_Limit", "1"}}) << none
            << BACnet_Slave(Many_Rows(1024), {})
            << QStringList{"1024 BACnet objects", "at most 1023"};
    }

    void abort_leaves_old_banks() {
        QFETCH(QByteArray, par_gen);
        QFETCH(QByteArray, hart);
        QFETCH(QByteArray, bacnet);
        QFETCH(QStringList, message);
        QTemporaryDir dir;
        Project_Fixture{par_gen, hart, bacnet}.Write_To(dir.path());
        QVERIFY(Write_Test_File(dir.filePath("bin/bank1.bin"), "old bank 1"));
        QVERIFY(Write_Test_File(dir.filePath("bin/bank2.bin"), "old bank 2"));

        const Cli_Result result = Run_Cli({"compile", dir.path()});
        QCOMPARE(result.exit_code, 1);
        for (const QString& part : message)
            QVERIFY2(result.err.contains(part.toUtf8()), result.err.constData());
        QCOMPARE(Read_Test_File(dir.filePath("bin/bank1.bin")), QByteArray("old bank 1"));
        QCOMPARE(Read_Test_File(dir.filePath("bin/bank2.bin")), QByteArray("old bank 2"));
        QCOMPARE(QDir(dir.filePath("bin")).entryList(QDir::Files).size(), 2);
    }

    void abort_without_bin_writes_nothing() {
        QTemporaryDir dir;
        Project_Fixture{{}, {}, QByteArray("<BACnet_to_Modbus/>")}.Write_To(dir.path());
        QCOMPARE(Run_Cli({"compile", dir.path()}).exit_code, 1);
        QVERIFY(!QFileInfo::exists(dir.filePath("bin")));
    }

    void banks_change_together() {
        // A folder in bank 2's place does not stop the pair: both are replaced together.
        QTemporaryDir dir;
        QVERIFY(Write_Test_File(dir.filePath("bin/bank1.bin"), "old bank 1"));
        QVERIFY(QDir(dir.path()).mkpath("bin/bank2.bin/inside"));
        const auto state = std::make_unique<image::Image_State>();
        QVERIFY(
            image::Compile_Image(project::Project_Paths::In_Folder(dir.path()), *state).isEmpty());
        QCOMPARE(image::Write_Image_Files(*state, dir.path()), QString());
        QCOMPARE(QFileInfo(dir.filePath("bin/bank1.bin")).size(), 2048);
        QCOMPARE(QFileInfo(dir.filePath("bin/bank2.bin")).size(), 67620);
        QCOMPARE(QDir(dir.filePath("bin")).entryList(QDir::Files),
                 (QStringList{"bank1.bin", "bank2.bin"}));
    }

    void incomplete_image_is_not_written() {
        QTemporaryDir dir;
        image::Image_State state;
        QVERIFY(!image::Write_Image_Files(state, dir.path()).isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath("bin")));
    }

    void most_objects_the_converter_takes() {
        QTemporaryDir dir;
        Project_Fixture{{}, {}, BACnet_Slave(Many_Rows(2000), Many_Rows(47))}.Write_To(dir.path());
        QCOMPARE(Run_Cli({"compile", dir.path()}).exit_code, 0);
        const QByteArray bank2 = Read_Test_File(dir.filePath("bin/bank2.bin"));
        QCOMPARE(bank2.size(), 67620);
        QCOMPARE(Le(bank2, 16 * 2046 + 12, 2), 2047u); // last object number
        QCOMPARE(Le(Read_Test_File(dir.filePath("bin/bank1.bin")), 320, 4), 2047u);
    }
};

QTEST_GUILESS_MAIN(Test_Compile_Cli)
#include "test_compile_cli.moc"
