#include "bacnet/ede_export.h"
#include "bacnet_fixtures.h"
#include "lang/string_table.h"
#include "support/scripted_prompt.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime Export_Time(QDate(2025, 1, 7), QTime(9, 5, 3));

const QByteArray Compact_Header = "PROJECT_NAME; Tolmex--Plant;;;;;;\r\n"
                                  "VERSION_OF_REFERENCEFILE;1.0;;;;;;\r\n"
                                  "TIMESTAMP_OF_LAST_CHANGE;09:05:03 07/01/2025;;;;;;\r\n"
                                  "AUTHOR_OF_LAST_CHANGE;Tolmex;;;;;;\r\n"
                                  "VERSION_OF_LAYOUT;2;;;;;;\r\n"
                                  "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;"
                                  "optional;\r\n"
                                  "# keyname;device obj.-instance;object-name;object-type;"
                                  "object-instance;description;unit-code;\r\n";

} // namespace

class Test_EDE_Export : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    bacnet::EDE_Source source_;

    void Write_Project(const QByteArray& par_gen, const QByteArray& access) {
        QFile::remove(source_.ParGen_File);
        QFile::remove(source_.BACnet_Slave_File);
        if (!par_gen.isEmpty())
            QVERIFY(Write_Test_File(source_.ParGen_File, par_gen));
        if (!access.isEmpty())
            QVERIFY(Write_Test_File(source_.BACnet_Slave_File, access));
    }

    // The object lines of an export, without their CR LF.
    QStringList Object_Lines(bacnet::EDE_Layout layout = bacnet::EDE_Layout::Compact) {
        const QString output = dir_.filePath("out.csv");
        const QString error = bacnet::Write_EDE_File(source_, output, layout, Export_Time);
        if (!error.isEmpty())
            return {QStringLiteral("error: ") + error};
        QStringList lines = QString::fromLatin1(Read_Test_File(output)).split("\r\n");
        lines.removeLast(); // after the last CR LF
        return lines.mid(7);
    }

private Q_SLOTS:
    void init() {
        source_ = {dir_.filePath("ParGen.xml"), dir_.filePath("BACnet_Slave.xml"), "Plant"};
    }

    void objects_data() {
        QTest::addColumn<QByteArray>("par_gen");
        QTest::addColumn<QStringList>("read");
        QTest::addColumn<QStringList>("write");
        QTest::addColumn<QStringList>("lines");
        const QByteArray ip = Par_Gen_File("<BACnet_DEV_IDE>1</BACnet_DEV_IDE>"
                                           "<BACnet_Ser_DEV_IDE>77</BACnet_Ser_DEV_IDE>");
        const QString twenty = "ABCDEFGHIJKLMNOPQRST";
        QTest::newRow("the example line")
            << ip << QStringList{Access_Row("Analog Input", "0", "4", "Temp")} << QStringList{}
            << QStringList{"1_Temp_0;1;Temp;0;0;Temp;62;"};
        QTest::newRow("instances per type, read then write")
            << ip
            << QStringList{Access_Row("Analog Input", "0", "4", "a"),
                           Access_Row("Analog Input", "0", "4", "b")}
            << QStringList{Access_Row("Analog Value", "0", "4", "c"),
                           Access_Row("Binary Out", "0", "1", "d", "95")}
            << QStringList{"1_a_0;1;a;0;0;a;62;", "1_b_1;1;b;0;1;b;62;", "1_c_0;1;c;2;0;c;62;",
                           "1_d_0;1;d;4;0;d;95;"};
        QTest::newRow("analog value in both tables")
            << ip << QStringList{Access_Row("Analog Value", "0", "4", "r")}
            << QStringList{Access_Row("Analog Value", "0", "4", "w")}
            << QStringList{"1_r_0;1;r;2;0;r;62;", "1_w_1;1;w;2;1;w;62;"};
        QTest::newRow("16-character names, whole keyname")
            << ip << QStringList{Access_Row("Accumulator", "0", "4", twenty)} << QStringList{}
            << QStringList{"1_" + twenty + "_0;1;" + twenty.left(16) + ";23;0;" + twenty.left(16) +
                           ";62;"};
        QTest::newRow("32-character names")
            << Par_Gen_File("<BACnet_DEV_IDE>1</BACnet_DEV_IDE>"
                            "<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>")
            << QStringList{Access_Row("Accumulator", "0", "4", twenty)} << QStringList{}
            << QStringList{"1_" + twenty + "_0;1;" + twenty + ";23;0;" + twenty + ";62;"};
        QTest::newRow("MS/TP takes the serial device instance")
            << Par_Gen_File("<BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>1</BACnet_DEV_IDE>"
                            "<BACnet_Ser_DEV_IDE>77</BACnet_Ser_DEV_IDE>")
            << QStringList{Access_Row("Multi State Value", "0", "4", "m")} << QStringList{}
            << QStringList{"77_m_0;77;m;19;0;m;62;"};
        QTest::newRow("type not a number counts as BACnet/IP")
            << Par_Gen_File("<BACnet_Type>x</BACnet_Type><BACnet_DEV_IDE>5</BACnet_DEV_IDE>")
            << QStringList{Access_Row("Analog Input", "0", "4", "t")} << QStringList{}
            << QStringList{"5_t_0;5;t;0;0;t;62;"};
        QTest::newRow("no ParGen.xml: empty device instance")
            << QByteArray() << QStringList{Access_Row("Analog Input", "0", "4", "")}
            << QStringList{} << QStringList{"__0;;;0;0;;62;"};
        QTest::newRow("unknown types skipped, octet strings numbered apart")
            << ip
            << QStringList{Access_Row("Foo", "0", "", "f"), Access_Row("OCTET STRING", "", "", "o"),
                           Access_Row(" Analog Input", "0", "4", "blank"),
                           Access_Row("analog input", "0", "4", "a")}
            << QStringList{Access_Row("Octet String", "0", "4", "p")}
            << QStringList{"1_o_0;1;o;47;0;o;62;", "1_a_0;1;a;0;0;a;62;", "1_p_1;1;p;47;1;p;62;"};
        QTest::newRow("unit code as it stands, 8-bit text")
            << ip << QStringList{Access_Row("Analog Input", "0", "4", "T\u00e9mp\u20ac", "x1")}
            << QStringList{} << QStringList{"1_T\u00e9mp?_0;1;T\u00e9mp?;0;0;T\u00e9mp?;x1;"};
    }

    void objects() {
        QFETCH(QByteArray, par_gen);
        QFETCH(QStringList, read);
        QFETCH(QStringList, write);
        QFETCH(QStringList, lines);
        Write_Project(par_gen, Access_File(read, write));
        QCOMPARE(Object_Lines(), lines);
    }

    void header_lines_and_line_ends() {
        Write_Project(Par_Gen_File("<BACnet_DEV_IDE>1</BACnet_DEV_IDE>"),
                      Access_File({Access_Row("Analog Input", "0", "4", "Temp")}, {}));
        const QString output = dir_.filePath("exact.csv");
        QCOMPARE(bacnet::Write_EDE_File(source_, output, bacnet::EDE_Layout::Compact, Export_Time),
                 QString());
        QCOMPARE(Read_Test_File(output), Compact_Header + "1_Temp_0;1;Temp;0;0;Temp;62;\r\n");
    }

    void no_access_file_gives_the_seven_lines() {
        Write_Project({}, {});
        const QString output = dir_.filePath("empty.csv");
        QCOMPARE(bacnet::Write_EDE_File(source_, output, bacnet::EDE_Layout::Compact, Export_Time),
                 QString());
        QCOMPARE(Read_Test_File(output), Compact_Header);
    }

    void two_exports_number_alike() {
        Write_Project({}, Access_File({Access_Row("Analog Input"), Access_Row("Analog Input")},
                                      {Access_Row("Analog Value")}));
        const QStringList first = Object_Lines();
        QCOMPARE(first.size(), 3);
        QCOMPARE(Object_Lines(), first);
    }

    void full_layout() {
        Write_Project(Par_Gen_File("<BACnet_DEV_IDE>3</BACnet_DEV_IDE>"),
                      Access_File({Access_Row("Analog Input", "0", "4", "Temp")},
                                  {Access_Row("Binary Out", "0", "1", "Pump", "95")}));
        const QString output = dir_.filePath("full.csv");
        QCOMPARE(bacnet::Write_EDE_File(source_, output, bacnet::EDE_Layout::Full, Export_Time),
                 QString());
        const QByteArray expected =
            Compact_Header.left(Compact_Header.indexOf("# mandatory")) +
            "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;optional;"
            "optional;optional;optional;optional;optional;optional;optional;optional;\r\n"
            "# keyname;device obj.-instance;object-name;object-type;object-instance;"
            "description;present-value-default;min-present-value;max-present-value;settable;"
            "supports COV;hi-limit;low-limit;state-text-reference;unit-code;"
            "vendor-specific-address;\r\n"
            "3_Temp_0;3;Temp;0;0;Temp;;;;;;;;;62;;\r\n"
            "3_Pump_0;3;Pump;4;0;Pump;;;;;;;;;95;;\r\n";
        QCOMPARE(Read_Test_File(output), expected);
    }

    void bad_input_writes_nothing_data() {
        QTest::addColumn<QByteArray>("par_gen");
        QTest::addColumn<QByteArray>("access");
        QTest::addColumn<QString>("error");
        QTest::newRow("access file unparsable")
            << QByteArray() << QByteArray("<BACnet_to_Modbus") << "BACnet_Slave.xml";
        QTest::newRow("no write table")
            << QByteArray() << QByteArray("<BACnet_to_Modbus><BACnet_in_Read/></BACnet_to_Modbus>")
            << "table BACnet_in_Write is missing";
        QTest::newRow("row without Mnemonic")
            << QByteArray()
            << Access_File({Access_Row("Analog Input"), R"(<row Data_Type="Foo" Eng_Unit="1"/>)"},
                           {})
            << "table BACnet_in_Read, row 2: attribute Mnemonic is missing";
        QTest::newRow("ParGen.xml unparsable")
            << QByteArray("<Par_Gen><BACnet_Type>") << QByteArray() << "ParGen.xml";
        // The image holds 1023 objects with 32-character names: an EDE file listing more
        // would announce objects the converter never serves.
        QTest::newRow("more objects than the image holds")
            << QByteArray("<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>")
            << Access_File(QStringList(1024, Access_Row("Analog Input")), {})
            << "1024 BACnet objects, the converter takes at most 1023";
    }

    void bad_input_writes_nothing() {
        QFETCH(QByteArray, par_gen);
        QFETCH(QByteArray, access);
        QFETCH(QString, error);
        Write_Project(par_gen, access);
        const QString output = dir_.filePath("kept.csv");
        QVERIFY(Write_Test_File(output, "old"));
        const QString message =
            bacnet::Write_EDE_File(source_, output, bacnet::EDE_Layout::Compact, Export_Time);
        QVERIFY2(message.contains(error), qPrintable(message));
        QCOMPARE(Read_Test_File(output), QByteArray("old"));
    }

    void file_name_rule_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("name");
        QTest::newRow("no extension") << "list"
                                      << "list.csv";
        QTest::newRow("upper case kept") << "LIST.CSV"
                                         << "LIST.CSV";
        QTest::newRow("other extension") << "list.txt"
                                         << "list.txt.csv";
        QTest::newRow("short name") << "a"
                                    << "a.csv";
    }

    void file_name_rule() {
        QFETCH(QString, chosen);
        QFETCH(QString, name);
        QCOMPARE(bacnet::EDE_File_Name(chosen), name);
    }

    void step_asks_before_overwriting() {
        Write_Project({}, Access_File({Access_Row("Analog Input")}, {}));
        const QString existing = dir_.filePath("step.csv");
        QVERIFY(Write_Test_File(existing, "old"));
        Scripted_Prompt prompt;
        const lang::String_Table texts;
        QVERIFY(!bacnet::Export_EDE_Step(source_, dir_.filePath("step"),
                                         bacnet::EDE_Layout::Compact, prompt, texts));
        QCOMPARE(prompt.questions,
                 QStringList{QStringLiteral("File already exists. Do you want to overwrite?")});
        QCOMPARE(Read_Test_File(existing), QByteArray("old"));

        prompt.Clear();
        prompt.answers << true;
        QVERIFY(
            bacnet::Export_EDE_Step(source_, existing, bacnet::EDE_Layout::Compact, prompt, texts));
        QVERIFY(Read_Test_File(existing).startsWith("PROJECT_NAME"));

        prompt.Clear();
        QVERIFY(bacnet::Export_EDE_Step(source_, dir_.filePath("fresh"),
                                        bacnet::EDE_Layout::Compact, prompt, texts));
        QVERIFY(prompt.questions.isEmpty());
        QVERIFY(QFile::exists(dir_.filePath("fresh.csv")));
    }

    void step_reports_a_failure() {
        Write_Project({}, QByteArray("<BACnet_to_Modbus>"));
        Scripted_Prompt prompt;
        QVERIFY(!bacnet::Export_EDE_Step(source_, dir_.filePath("bad"), bacnet::EDE_Layout::Compact,
                                         prompt, lang::String_Table()));
        QCOMPARE(prompt.errors.size(), 1);
        QVERIFY(!QFile::exists(dir_.filePath("bad.csv")));
    }
};

QTEST_GUILESS_MAIN(Test_EDE_Export)
#include "test_ede_export.moc"
