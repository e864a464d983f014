#include "hart/hart_variables.h"
#include "image/bacnet_section.h"
#include "image/hart_section.h"
#include "image_fixtures.h"

#include <QTest>

using Elements = QList<std::pair<QString, QString>>;

namespace {

constexpr qsizetype Hart_Bank_Offset = 0x10800;
constexpr qsizetype Hart_Records = Hart_Bank_Offset + 36;

QString Hart_Row(const QString& attributes) {
    return QStringLiteral(R"(Enable="Y" Device_Address="1" Preamble_Count="5" )") + attributes;
}

} // namespace

class Test_Image_Compile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void empty_project() {
        const Compiled compiled = Compile({});
        QVERIFY(compiled.error.isEmpty());
        QCOMPARE(compiled.bank1.size(), 2048);
        QCOMPARE(compiled.bank2.size(), 67620);
        Verify_Bytes(compiled, "1@0x000=90d00300 1@0x004=90d00300 1@0x00C=80250000 "
                               "1@0x028=c0a802cd 1@0x02C=ffffff00 1@0x030=ffffffff "
                               "1@0x034=102711271127 1@0x0F8=00000800 1@0x1B4=0808080808080808 "
                               "1@0x600=00080900 1@0x66C=0000000000000000 1@0x70C=00000c00 "
                               "1@0x7FC=a70d0000 2@0x10800=" +
                                   QString(32, u'0') + "01000000" + QString(32, u'0'));
        // Apart from the named fields every byte is zero, counts included.
        QCOMPARE(compiled.bank2.left(0x10800).count('\0'), 0x10800);
        QCOMPARE(compiled.bank1.mid(0x138, 0x180 - 0x138).count('\0'), 0x180 - 0x138);
        QCOMPARE(Le(compiled.bank1, 0x700, 4), 0u);
    }

    void parameter_block_data() {
        QTest::addColumn<Elements>("par_gen");
        QTest::addColumn<QString>("checks");
        const Elements ethernet{{"Ethernet_IP1", "192"}, {"Ethernet_IP2", "168"},
                                {"Ethernet_IP3", "0"},   {"Ethernet_IP4", "10"},
                                {"Ethernet_SM4", "128"}, {"Ethernet_GAT4", "254"}};
        const Elements bacnet_ip{{"BACnet_IP1", "10"},
                                 {"BACnet_IP2", "0"},
                                 {"BACnet_IP3", "0"},
                                 {"BACnet_IP4", "7"},
                                 {"BACnet_GAT1", "10"}};
        QTest::newRow("BACnet/IP takes the BACnet addresses, gateway off")
            << ethernet + bacnet_ip + Elements{{"BACnet_Type", "0"}, {"Ethernet_EN_GAT", "1"}}
            << "1@0x028=0a000007 1@0x02C=ffffff00 1@0x030=ffffffff 1@0x03A=c0ba "
               "1@0x050=6465766963656e616d65310000000000 1@0x134=01000000 1@0x100=000000 "
               "1@0x19C=00000000 1@0x66C=312e303032000000";
        QTest::newRow("BACnet/IP gateway on, port, name, identifier")
            << bacnet_ip + Elements{{"BACnet_EN_GAT", "1"},
                                    {"BACnet_PORT", "47809"},
                                    {"BACnet_NAME_STA", "plant7"},
                                    {"BACnet_DEV_IDE", "4194303"}}
            << "1@0x030=0aa80001 1@0x03A=c1ba 1@0x050=706c616e743700 1@0x134=ffff3f00";
        QTest::newRow("port 47808 by default is C0 BA") << Elements{} << "1@0x03A=c0ba";
        QTest::newRow("MS/TP keeps the Ethernet addresses, gateway on")
            << ethernet + bacnet_ip + Elements{{"BACnet_Type", "1"}, {"Ethernet_EN_GAT", "1"}}
            << "1@0x028=c0a8000a 1@0x02C=ffffff80 1@0x030=c0a800fe 1@0x03A=0000 1@0x134=00000000";
        QTest::newRow("MS/TP Ethernet gateway off")
            << ethernet + Elements{{"BACnet_Type", "1"}} << "1@0x030=ffffffff";
        QTest::newRow("MS/TP defaults")
            << Elements{{"BACnet_Type", "1"}}
            << "1@0x100=000101 1@0x10E=0100 1@0x12C=00000000 1@0x190=00e10000 1@0x19C=00e10000 "
               "1@0x1A8=00 1@0x1AB=00 1@0x050=6465766963656e616d65310000000000";
        QTest::newRow("MS/TP values")
            << Elements{{"BACnet_Type", "1"},
                        {"BACnet_Ser_Baudrate", "5"},
                        {"BACnet_Ser_ID", "127"},
                        {"BACnet_Ser_Max_Master", "100"},
                        {"BACnet_Ser_Max_Info_Frames", "9"},
                        {"BACnet_Ser_DEV_IDE", "70000"},
                        {"BACnet_Ser_Network", "65534"},
                        {"BACnet_Ser_NAME_STA", "mstp1"},
                        {"BACnet_NAME_STA", "ipname"}}
            << "1@0x19C=00c20100 1@0x190=00c20100 1@0x100=7f6409 1@0x12C=70110100 "
               "1@0x10E=feff 1@0x050=6d7374703100";
        QTest::newRow("baud index 9 gives 9600")
            << Elements{{"BACnet_Type", "1"}, {"BACnet_Ser_Baudrate", "9"}} << "1@0x19C=80250000";
        QTest::newRow("parity odd") << Elements{{"BACnet_Type", "1"}, {"BACnet_Ser_Parity", "1"}}
                                    << "1@0x1A8=02 1@0x1AB=02";
        QTest::newRow("parity even") << Elements{{"BACnet_Type", "1"}, {"BACnet_Ser_Parity", "2"}}
                                     << "1@0x1A8=01 1@0x1AB=01";
        QTest::newRow("a type that is no number is BACnet/IP")
            << Elements{{"BACnet_Type", "abc"}, {"BACnet_PORT", "47809"}} << "1@0x03A=c1ba";
        QTest::newRow("a baud position outside the list gives 9600")
            << Elements{{"BACnet_Type", "1"}, {"BACnet_Ser_Baudrate", "9"}} << "1@0x19C=80250000";
        QTest::newRow("octets keep their low 8 bits")
            << Elements{{"BACnet_IP1", "300"}} << "1@0x028=2ca80005";
        QTest::newRow("DNS on, secondary octet 3 missing")
            << Elements{{"Eth_Conn_Enable_DNS", "1"},     {"Eth_Conn_Primary_DNS1", "1"},
                        {"Eth_Conn_Primary_DNS4", "2"},   {"Eth_Conn_Secondary_DNS1", "9"},
                        {"Eth_Conn_Secondary_DNS2", "9"}, {"Eth_Conn_Secondary_DNS4", "9"}}
            << "1@0x58C=01080802 1@0x53C=09090409";
        QTest::newRow("DNS on with no server given")
            << Elements{{"Eth_Conn_Enable_DNS", "1"}} << "1@0x58C=08080808 1@0x53C=08080404";
        QTest::newRow("DNS off leaves both servers zero")
            << Elements{{"Eth_Conn_Enable_DNS", "0"}, {"Eth_Conn_Primary_DNS1", "1"}}
            << "1@0x58C=00000000 1@0x53C=00000000";
        QTest::newRow("DHCP flags")
            << Elements{{"Eth_Conn_DHCP_Cable", "1"}, {"Eth_Conn_DHCP_WiFi", "1"}}
            << "1@0x4E8=0300";
        QTest::newRow("DHCP only exactly 1")
            << Elements{{"Eth_Conn_DHCP_Cable", "true"}} << "1@0x4E8=0000";
        QTest::newRow("diagnostic at 100")
            << Elements{{"HART_Master_Enable_Diagnostic", "1"}, {"HART_Master_Diagnostic", "100"}}
            << "1@0x180=65000000";
        QTest::newRow("diagnostic position not a number")
            << Elements{{"HART_Master_Enable_Diagnostic", "1"}, {"HART_Master_Diagnostic", "abc"}}
            << "1@0x180=00000000";
        QTest::newRow("diagnostic off")
            << Elements{{"HART_Master_Diagnostic", "100"}} << "1@0x180=00000000";
        QTest::newRow("host name cut at 31")
            << Elements{{"Eth_Conn_Device_Name", QString(40, u'h')}}
            << "1@0x514=" + QString::fromLatin1(QByteArray(31, 'h').toHex()) + "00";
        QTest::newRow("login of exactly 8 has no terminator")
            << Elements{{"Web_Pages_User", "user5678"}, {"Web_Pages_Password", "pass56789"}}
            << "1@0x724=" + QString::fromLatin1(QByteArray("user5678pass5678").toHex()) + "00";
        QTest::newRow("device name cut at 15")
            << Elements{{"BACnet_NAME_STA", QString(20, u'n')}}
            << "1@0x050=" + QString::fromLatin1(QByteArray(15, 'n').toHex()) + "00";
        QTest::newRow("characters keep their low byte")
            << Elements{{"Web_Pages_User", QString::fromUtf8("é\u0141x")}} << "1@0x724=e94178";
        QTest::newRow("HART master: address 1, retry limit 4 with blanks")
            << Elements{{"HART_Master_Address", "Secondary Master"},
                        {"HART_Master_Retry_Limit", " 4 "}}
            << "2@0x10814=0100000000000000 2@0x1081C=02000000";
        QTest::newRow("HART master: retry limit 7 gives 0")
            << Elements{{"HART_Master_Retry_Limit", "7"}}
            << "2@0x10814=0100000000000000 "
               "2@0x1081C=00000000";
    }

    void parameter_block() {
        QFETCH(Elements, par_gen);
        QFETCH(QString, checks);
        const Compiled compiled = Compile({Par_Gen(par_gen), {}, {}});
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        QCOMPARE(compiled.bank1.size(), 2048);
        Verify_Bytes(compiled, checks);
        QCOMPARE(Le(compiled.bank1, 0x7FC, 4),
                 quint64(image::Parameter_Block_Checksum(
                     {reinterpret_cast<const uint8_t*>(compiled.bank1.constData()), 2048})));
    }

    void out_of_list_choices_are_refused_data() {
        QTest::addColumn<Elements>("par_gen");
        QTest::addColumn<QString>("named");
        for (const char* type : {"2", "5", "-1"})
            QTest::addRow("BACnet_Type %s", type) << Elements{{"BACnet_Type", type}}
                                                  << QStringLiteral("BACnet_Type \"%1\"").arg(type);
        for (const char* parity : {"-1", "3"})
            QTest::addRow("parity %s", parity)
                << Elements{{"BACnet_Type", "1"}, {"BACnet_Ser_Parity", parity}}
                << QStringLiteral("BACnet_Ser_Parity \"%1\"").arg(parity);
    }

    void out_of_list_choices_are_refused() {
        // The converter has no reading for these positions: an image written anyway would
        // hold port 0 and no device name, or parity 0xFF.
        QFETCH(Elements, par_gen);
        QFETCH(QString, named);
        const Compiled compiled = Compile({Par_Gen(par_gen), {}, {}});
        QVERIFY2(compiled.error.contains("ParGen.xml"), qPrintable(compiled.error));
        QVERIFY2(compiled.error.contains(named), qPrintable(compiled.error));
    }

    void checksum_sums_every_byte_before_it() {
        std::vector<uint8_t> block(2048, 0);
        QCOMPARE(image::Parameter_Block_Checksum(block), 0u);
        block[0] = 0xFF;
        block[0x7FB] = 0x80;
        block[0x7FC] = 0x7F; // the checksum field itself is not summed
        QCOMPARE(image::Parameter_Block_Checksum(block), 0x17Fu);
        const Compiled a =
            Compile({Par_Gen({{"Ethernet_IP4", "10"}, {"BACnet_Type", "1"}}), {}, {}});
        const Compiled b =
            Compile({Par_Gen({{"Ethernet_IP4", "13"}, {"BACnet_Type", "1"}}), {}, {}});
        QCOMPARE(Le(b.bank1, 0x7FC, 4) - Le(a.bank1, 0x7FC, 4), 3u);
    }

    void hart_two_rows_example() {
        const QStringList rows{
            R"(Enable="Y" Device_Address="0x1234567890" Preamble_Count="7" Var_Cmd_Type="Command" )"
            R"(Var_Cmd_Number="3" Cmd_Params="0102" Position="10" Swap="N" ConvInt="N" )"
            R"(Var_Operation="None" TimeOut="1000" Mnemonic="a")",
            R"(Enable="N" Device_Address="5" Var_Cmd_Type="Var" Cmd_Params="FFFF")",
            R"(Enable="Y" Device_Address="4294967296" Preamble_Count="20" Var_Cmd_Type="Var" )"
            R"(Var_Cmd_Number="246" Cmd_Params="" Position="1439" Swap="Y" ConvInt="N" )"
            R"(Var_Operation="x 100" TimeOut="4294967295" Mnemonic="b")"};
        const Compiled compiled = Compile({{}, Hart_Variables(rows), {}});
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        QCOMPARE(compiled.bank2.size(), 67584 + 36 + 2 * 76 + 2);
        Verify_Bytes(
            compiled,
            "2@0x10800=0200000024080900" + QString(16, u'0') + "01000000" + QString(32, u'0') +
                " "
                // record 0: address, preamble 7, command 2, number 3, zeros, timeout, params
                "2@0x10824=9078563412000000070000000200000003000000" +
                QString(28 * 2, u'0') + "e8030000" + QString(8 * 2, u'0') +
                "bc080900020000000a00000000000000 "
                // record 1: 2^32, preamble 20, var 0, 246, timeout, params_add after 01 02
                "2@0x10870=00000000010000001400000000000000f6000000" +
                QString(28 * 2, u'0') + "ffffffff" + QString(8 * 2, u'0') +
                "be08090000000000"
                "9f050000"
                "11000000 "
                "2@0x108BC=0102");
    }

    void hart_record_fields_data() {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("hex");
        QTest::newRow("Var") << R"(Var_Cmd_Type="Var")" << 12 << "00000000";
        QTest::newRow("Var Burst") << R"(Var_Cmd_Type="Var Burst")" << 12 << "01000000";
        QTest::newRow("Command") << R"(Var_Cmd_Type="Command")" << 12 << "02000000";
        QTest::newRow("other text is a command") << R"(Var_Cmd_Type="var")" << 12 << "02000000";
        QTest::newRow("missing type") << "" << 12 << "00000000";
        QTest::newRow("swap, x 100")
            << R"(Swap="Y" ConvInt="N" Var_Operation="x 100")" << 72 << "11000000";
        QTest::newRow("swap and conv int")
            << R"(Swap="Y" ConvInt="Y" Var_Operation="None")" << 72 << "06000000";
        QTest::newRow("conv int, x 1000000")
            << R"(ConvInt="Y" Var_Operation="x 1000000")" << 72 << "02010000";
        QTest::newRow("lower-case y sets nothing") << R"(Swap="y" ConvInt="y")" << 72 << "00000000";
        QTest::newRow("dollar address")
            << R"(Device_Address="$FFFFFFFFFF")" << 0 << "ffffffffff000000";
        QTest::newRow("hexadecimal address with leading zeros")
            << R"(Device_Address="0x00000000001234567890")" << 0 << "9078563412000000";
        QTest::newRow("address beyond 64 bits")
            << R"(Device_Address="0x010000000000000000")" << 0 << "0000000000000000";
        QTest::newRow("unparsable address")
            << R"(Device_Address="0xZZ")" << 0 << "0000000000000000";
        QTest::newRow("preamble default") << R"(Preamble_Count="")" << 8 << "05000000";
        QTest::newRow("timeout above 2^31") << R"(TimeOut="3000000000")" << 48 << "005ed0b2";
        QTest::newRow("timeout not a number") << R"(TimeOut="1s")" << 48 << "00000000";
        QTest::newRow("odd params, invalid pair") << R"(Cmd_Params="0G1")" << 64 << "01000000";
        QTest::newRow("params blank") << R"(Cmd_Params="   ")" << 64 << "00000000";
    }

    void hart_record_fields() {
        QFETCH(QString, attributes);
        QFETCH(int, offset);
        QFETCH(QString, hex);
        const QString row = attributes.contains("Device_Address") || attributes.contains("Preamble")
                                ? QStringLiteral(R"(Enable="Y" )") + attributes
                                : Hart_Row(attributes);
        const Compiled compiled = Compile({{}, Hart_Variables({row}), {}});
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        Verify_Bytes(compiled, QStringLiteral("2@%1=%2").arg(Hart_Records + offset).arg(hex));
    }

    void hart_request_bytes() {
        QCOMPARE(hart::Request_Bytes(" 0a0B "), (std::vector<uint8_t>{0x0A, 0x0B}));
        QCOMPARE(hart::Request_Bytes("0G1"), (std::vector<uint8_t>{0x00}));
        QVERIFY(hart::Request_Bytes("").empty());
    }

    void hart_rows_enabled() {
        // A row without Enable is polled (the table shows it enabled); "N" and others are not.
        const Compiled compiled = Compile(
            {{},
             Hart_Variables({R"(Device_Address="1" Position="1")", R"(Enable="N" Position="2")",
                             R"(Enable="y" Position="3")", R"(Enable="Y" Position="4")"}),
             {}});
        Verify_Bytes(compiled, "2@0x10800=02000000");
        QCOMPARE(Le(compiled.bank2, Hart_Records + 68, 4), 1u);
        QCOMPARE(Le(compiled.bank2, Hart_Records + 76 + 68, 4), 4u);
        QCOMPARE(compiled.bank2.size(), 67620 + 2 * 76);
    }

    void hart_all_disabled_is_the_empty_section() {
        const Compiled compiled = Compile({{}, Hart_Variables({R"(Enable="N" Position="2")"}), {}});
        QCOMPARE(compiled.bank2.size(), 67620);
        Verify_Bytes(compiled, "2@0x10800=0000000000000000");
    }

    void hart_list_ends_before_the_web_pages_data() {
        QTest::addColumn<int>("params_characters");
        QTest::addColumn<bool>("fits");
        // 100 records and 186924 request bytes end bank 2 exactly where the web pages begin.
        QTest::newRow("up to 0xC0000") << 373848 << true;
        QTest::newRow("one byte over") << 373850 << false;
    }

    void hart_list_ends_before_the_web_pages() {
        QFETCH(int, params_characters);
        QFETCH(bool, fits);
        QStringList rows(99, QStringLiteral(R"(Enable="Y")"));
        rows << QStringLiteral(R"(Enable="Y" Cmd_Params="%1")")
                    .arg(QString(params_characters, u'A'));
        const Compiled compiled = Compile({{}, Hart_Variables(rows), {}});
        if (fits) {
            QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
            QCOMPARE(compiled.bank2.size(), 0xC0000 - 0x80000);
        } else {
            QVERIFY(compiled.error.contains("HART_Variables.xml"));
            QVERIFY2(compiled.error.contains("194560"), qPrintable(compiled.error));
        }
    }

    void hart_table_beyond_its_rows_is_refused() {
        // The grid holds 100 rows; a longer hand-edited table must not poll rows nobody
        // validated, so the compile stops and names the count.
        const Compiled fits = Compile({{}, Hart_Variables(QStringList(100, R"(Enable="N")")), {}});
        QVERIFY2(fits.error.isEmpty(), qPrintable(fits.error));
        const Compiled over = Compile({{}, Hart_Variables(QStringList(101, R"(Enable="N")")), {}});
        QVERIFY2(over.error.contains("HART_Variables.xml"), qPrintable(over.error));
        QVERIFY2(over.error.contains("101 rows"), qPrintable(over.error));
    }

    void bacnet_records_example() {
        const Compiled compiled =
            Compile({{},
                     {},
                     BACnet_Slave({Object_Row("Analog Input", "T1"),
                                   Object_Row("Binary Value", "", R"(Swap="Y" SwapWord="Y")")},
                                  {Object_Row("Analog Out", "Out 1")})});
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        // Analog input (read row 1), analog output (write row 1 = object 3), binary value.
        Verify_Bytes(compiled, "2@0=0a0000003e000400f17f080001000000 "
                               "2@16=0a0000003e000401f47f080003000000 "
                               "2@32=0a0000003e000406f07f080002000000 2@48=00000000");
        const qsizetype area = 16 * 2047;
        QCOMPARE(compiled.bank2.mid(area, 10), QByteArray("\0T1\0Out 1\0", 10));
        QCOMPARE(compiled.bank2.mid(area + 0x8800, 16), QByteArray(16, '\0'));
        Verify_Bytes(compiled, "1@312=01000000 1@316=01000000 1@332=01000000 1@320=00000000");
    }

    void bacnet_record_order_and_numbers_data() {
        QTest::addColumn<QStringList>("read");
        QTest::addColumn<QStringList>("write");
        QTest::addColumn<QString>("checks");
        QTest::newRow("type order, then read before write")
            << QStringList{Object_Row("Binary Input"), Object_Row("Analog Value"),
                           Object_Row("Analog Input")}
            << QStringList{Object_Row("Analog Value"), Object_Row("Analog Out")}
            // object numbers: AI 3, AO 5, BI 1, AV 2 then AV 4
            << "2@12=0300 2@28=0500 2@44=0100 2@60=0200 2@76=0400 "
               "1@312=01000000 1@316=01000000 1@324=01000000 1@320=02000000";
        QTest::newRow("lower case matches") << QStringList{Object_Row("analog input")}
                                            << QStringList{} << "2@0=0a000000 1@312=01000000";
        QTest::newRow("leading blank matches nothing but is counted")
            << QStringList{Object_Row(" Analog Input"), Object_Row("Foo")}
            << QStringList{Object_Row("Analog Out")}
            << "2@7=01 2@12=0300 2@16=00000000 1@312=00000000 1@316=01000000";
        QTest::newRow("only Y sets swap bits")
            << QStringList{Object_Row("Analog Input", "", R"(Swap="y" SwapWord="yes")"),
                           Object_Row("Analog Input", "", R"(SwapWord="Y")")}
            << QStringList{} << "2@7=00 2@23=04";
        QTest::newRow("files written by other means: the three extra types")
            << QStringList{Object_Row("Octet String"), Object_Row("Datetime Value"),
                           Object_Row("CharacterString Value")}
            << QStringList{}
            << "2@12=0200 2@28=0300 2@44=0100 1@0x700=01000000 1@340=01000000 "
               "1@348=01000000";
    }

    void bacnet_record_order_and_numbers() {
        QFETCH(QStringList, read);
        QFETCH(QStringList, write);
        QFETCH(QString, checks);
        const Compiled compiled = Compile({{}, {}, BACnet_Slave(read, write)});
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        Verify_Bytes(compiled, checks);
    }

    void bacnet_record_fields_cut_to_width() {
        const Compiled compiled = Compile(
            {{},
             {},
             BACnet_Slave({R"(Data_Type="Binary Input" Eng_Unit="65537" Position="1439" Bit="x" )"
                           R"(Length="257" Mnemonic="")"},
                          {R"(Data_Type="Binary Out" Eng_Unit="95" Position="-1" Bit="7" )"
                           R"(Length="1" Mnemonic="" Swap="Y")"})});
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        Verify_Bytes(compiled, "2@0=9f05000001000100f07f080001000000 "
                               "2@16=ffffffff5f000103f07f080002000700");
    }

    void bacnet_names_data() {
        QTest::addColumn<bool>("long_names");
        QTest::addColumn<QString>("mnemonic");
        QTest::addColumn<QString>("stored");
        const QString twenty = "ABCDEFGHIJKLMNOPQRST";
        QTest::newRow("16 characters, option off") << false << twenty << twenty.left(16);
        QTest::newRow("20 characters, option on") << true << twenty << twenty;
        QTest::newRow("cut at 32, option on")
            << true << twenty + twenty << (twenty + twenty).left(32);
        QTest::newRow("empty") << false << ""
                               << "";
        QTest::newRow("empty, option on") << true << ""
                                          << "";
    }

    void bacnet_names() {
        QFETCH(bool, long_names);
        QFETCH(QString, mnemonic);
        QFETCH(QString, stored);
        const Compiled compiled =
            Compile({Par_Gen({{"BACnet_Desc_Chars_Limit", long_names ? "1" : "0"}}),
                     {},
                     BACnet_Slave({Object_Row("Analog Input", mnemonic)}, {})});
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        const qsizetype records = long_names ? 1023 : 2047;
        const quint64 area_address = 0x80000 + 16 * records;
        const quint64 name_address = stored.isEmpty() ? area_address : area_address + 1;
        QCOMPARE(Le(compiled.bank2, 8, 4), name_address);
        const QByteArray expected = '\0' + stored.toLatin1() + '\0';
        QCOMPARE(compiled.bank2.mid(16 * records, expected.size() + 1), expected + '\0');
        QCOMPARE(compiled.bank2.size(), 67620);
        // The area and its zero fill end where the HART bank begins.
        QCOMPARE(compiled.bank2
                     .mid(16 * records + expected.size(), 0x10800 - 16 * records - expected.size())
                     .count('\0'),
                 0x10800 - 16 * records - expected.size());
    }

    void texts_as_the_files_hold_them_data() {
        QTest::addColumn<QByteArray>("par_gen");
        QTest::addColumn<QByteArray>("bacnet");
        QTest::addColumn<QString>("checks");
        QTest::addColumn<QString>("error");
        const QByteArray declared_1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n";
        QTest::newRow("number and name split by a comment and CDATA")
            << QByteArray("<Par_Gen><BACnet_Type>0</BACnet_Type><BACnet_PORT>47<!-- x -->808"
                          "</BACnet_PORT><BACnet_NAME_STA>dev<![CDATA[ice]]>9</BACnet_NAME_STA>"
                          "</Par_Gen>")
            << QByteArray() << "1@0x03A=c0ba 1@0x050=64657669636539000000" << QString();
        QTest::newRow("windows-1252 degree sign")
            << QByteArray()
            << QByteArray(declared_1252 + BACnet_Slave({Object_Row("Analog Input", "@@")}, {}))
                   .replace("@@", "Temp \xB0"
                                  "C")
            << "2@0x7FF0=0054656d7020b04300" << QString();
        QTest::newRow("byte not valid in the undeclared UTF-8")
            << QByteArray()
            << QByteArray("<BACnet_to_Modbus><BACnet_in_Read><row Mnemonic=\"Temp \xB0"
                          "C\"/></BACnet_in_Read></BACnet_to_Modbus>")
            << QString() << "BACnet_Slave.xml: line 1, column 55: byte B0 is not valid UTF-8";
        QTest::newRow("host name in windows-1252")
            << declared_1252 + "<Par_Gen><Eth_Conn_Device_Name>h\xF6st</Eth_Conn_Device_Name>"
                               "</Par_Gen>"
            << QByteArray() << "1@0x514=68f6737400" << QString();
    }

    void texts_as_the_files_hold_them() {
        QFETCH(QByteArray, par_gen);
        QFETCH(QByteArray, bacnet);
        QFETCH(QString, checks);
        QFETCH(QString, error);
        const Compiled compiled = Compile({par_gen, {}, bacnet});
        if (!error.isEmpty())
            QVERIFY2(compiled.error.endsWith(error), qPrintable(compiled.error));
        else
            QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        Verify_Bytes(compiled, checks);
    }

    void compile_again_starts_from_scratch() {
        const auto state = std::make_unique<image::Image_State>();
        QTemporaryDir full;
        Project_Fixture{Par_Gen({{"BACnet_Desc_Chars_Limit", "1"}, {"Ethernet_IP4", "1"}}),
                        Hart_Variables({Hart_Row(R"(Cmd_Params="0102")")}),
                        BACnet_Slave({Object_Row("Analog Input", "x")}, {})}
            .Write_To(full.path());
        QTemporaryDir empty;
        QVERIFY(
            image::Compile_Image(project::Project_Paths::In_Folder(full.path()), *state).isEmpty());
        const QByteArray first_bank2(reinterpret_cast<const char*>(state->Bank2.data()),
                                     qsizetype(state->Bank2_Length));
        QVERIFY(image::Compile_Image(project::Project_Paths::In_Folder(empty.path()), *state)
                    .isEmpty());
        const Compiled fresh = Compile({});
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(state->Bank1.data()), 2048), fresh.bank1);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(state->Bank2.data()),
                            qsizetype(state->Bank2_Length)),
                 fresh.bank2);
        QVERIFY(
            image::Compile_Image(project::Project_Paths::In_Folder(full.path()), *state).isEmpty());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(state->Bank2.data()),
                            qsizetype(state->Bank2_Length)),
                 first_bank2);
    }
};

QTEST_GUILESS_MAIN(Test_Image_Compile)
#include "test_image_compile.moc"
