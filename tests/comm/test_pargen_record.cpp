#include "comm/pargen_record.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

using comm::ParGen_Record;

namespace {

QByteArray Par_Gen(const QByteArray& elements) {
    return "<Par_Gen>" + elements + "</Par_Gen>";
}

ParGen_Record Load_Text(const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ParGen.xml");
    Write_Test_File(path, bytes);
    ParGen_Record record;
    QString error;
    if (comm::Load_ParGen(path, record, error) != project::Load_Status::Loaded)
        qFatal("ParGen.xml did not load: %s", qPrintable(error));
    return record;
}

} // namespace

class Test_ParGen_Record : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void missing_file_gives_dialog_defaults() {
        QTemporaryDir dir;
        ParGen_Record record;
        record.BACnet_PORT = "1";
        QString error;
        QCOMPARE(comm::Load_ParGen(dir.filePath("ParGen.xml"), record, error),
                 project::Load_Status::Missing);
        QCOMPARE(record, ParGen_Record());
        QCOMPARE(record.Eth_Conn_Device_Name, QString());
        QCOMPARE(record.Eth_Conn_Primary_DNS, comm::Octet_Texts({"8", "8", "8", "8"}));
        QCOMPARE(record.HART_Master_Address, QStringLiteral("Primary Master"));
        QCOMPARE(record.HART_Master_Retry_Limit, QStringLiteral("2"));
        QCOMPARE(record.Ethernet_IP, comm::Octet_Texts({"192", "168", "0", "10"}));
        QCOMPARE(record.BACnet_IP, comm::Octet_Texts({"192", "168", "0", "5"}));
        QCOMPARE(record.BACnet_PORT, QStringLiteral("47808"));
        QCOMPARE(record.BACnet_Ser_Baudrate, QStringLiteral("3"));
        QCOMPARE(record.BACnet_Ser_NAME_STA, QStringLiteral("devicename1"));
    }

    void element_names_in_file_order() {
        const QStringList names = comm::ParGen_Element_Names();
        QCOMPARE(names.size(), comm::ParGen_Element_Count);
        QCOMPARE(names.first(), QStringLiteral("Eth_Conn_Device_Name"));
        QCOMPARE(names[4], QStringLiteral("Eth_Conn_Primary_DNS1"));
        QCOMPARE(names[12], QStringLiteral("HART_Master_Address"));
        QCOMPARE(names[29], QStringLiteral("BACnet_Type"));
        QCOMPARE(names[43], QStringLiteral("BACnet_PORT"));
        QCOMPARE(names[54], QStringLiteral("BACnet_Desc_Chars_Limit"));
        QCOMPARE(names.last(), QStringLiteral("Web_Pages_Password"));
    }

    void each_element_read_on_its_own() {
        // Reversed order, an empty element, a duplicate (first counts), one missing (port).
        const ParGen_Record record =
            Load_Text(Par_Gen("<Web_Pages_User>admin</Web_Pages_User>"
                              "<BACnet_DEV_IDE>77</BACnet_DEV_IDE>"
                              "<BACnet_DEV_IDE>88</BACnet_DEV_IDE>"
                              "<Ethernet_IP4>abc</Ethernet_IP4>"
                              "<Eth_Conn_Device_Name></Eth_Conn_Device_Name>"
                              "<Ethernet_EN_GAT>true</Ethernet_EN_GAT>"
                              "<BACnet_EN_GAT>1</BACnet_EN_GAT>"));
        QCOMPARE(record.Web_Pages_User, QStringLiteral("admin"));
        QCOMPARE(record.BACnet_DEV_IDE, QStringLiteral("77"));
        QCOMPARE(record.Ethernet_IP[3], QStringLiteral("abc")); // typed text shown as it stands
        QCOMPARE(record.Eth_Conn_Device_Name, QString());
        QCOMPARE(record.Ethernet_EN_GAT, QStringLiteral("0"));
        QCOMPARE(record.BACnet_EN_GAT, QStringLiteral("1"));
        QCOMPARE(record.BACnet_PORT, QStringLiteral("47808"));
    }

    void choice_fields_data() {
        QTest::addColumn<QByteArray>("elements");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("retry");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("baud");
        QTest::addColumn<QString>("parity");
        QTest::newRow("secondary any case")
            << QByteArray("<HART_Master_Address>  sEcOnDaRy master </HART_Master_Address>"
                          "<HART_Master_Retry_Limit> 4 </HART_Master_Retry_Limit>"
                          "<BACnet_Type>1</BACnet_Type><BACnet_Ser_Baudrate>5"
                          "</BACnet_Ser_Baudrate><BACnet_Ser_Parity>2</BACnet_Ser_Parity>")
            << "Secondary Master"
            << "4"
            << "1"
            << "5"
            << "2";
        QTest::newRow("unknown texts")
            << QByteArray("<HART_Master_Address>Tertiary</HART_Master_Address>"
                          "<HART_Master_Retry_Limit>7</HART_Master_Retry_Limit>"
                          "<BACnet_Type>x</BACnet_Type><BACnet_Ser_Baudrate></BACnet_Ser_Baudrate>"
                          "<BACnet_Ser_Parity>-1</BACnet_Ser_Parity>")
            << "Primary Master"
            << "2"
            << "0"
            << "3"
            << "0";
        QTest::newRow("index outside list")
            << QByteArray("<HART_Master_Retry_Limit>5</HART_Master_Retry_Limit>"
                          "<BACnet_Type>2</BACnet_Type><BACnet_Ser_Baudrate>9"
                          "</BACnet_Ser_Baudrate><BACnet_Ser_Parity>3</BACnet_Ser_Parity>")
            << "Primary Master"
            << "5"
            << "0"
            << "3"
            << "0";
    }

    void choice_fields() {
        QFETCH(QByteArray, elements);
        const ParGen_Record record = Load_Text(Par_Gen(elements));
        QTEST(record.HART_Master_Address, "address");
        QTEST(record.HART_Master_Retry_Limit, "retry");
        QTEST(record.BACnet_Type, "type");
        QTEST(record.BACnet_Ser_Baudrate, "baud");
        QTEST(record.BACnet_Ser_Parity, "parity");
    }

    void shared_conversions() {
        QCOMPARE(comm::Get_Master_Address("Secondary Master"), 1);
        QCOMPARE(comm::Get_Master_Address(" SECONDARY MASTER\t"), 1);
        QCOMPARE(comm::Get_Master_Address("Primary Master"), 0);
        QCOMPARE(comm::Get_Master_Address(""), 0);
        QCOMPARE(comm::Get_Retry_Limit("2"), 0);
        QCOMPARE(comm::Get_Retry_Limit("3"), 1);
        QCOMPARE(comm::Get_Retry_Limit(" 4 "), 2);
        QCOMPARE(comm::Get_Retry_Limit("5"), 3);
        QCOMPARE(comm::Get_Retry_Limit("7"), 0);
        QCOMPARE(comm::Get_Retry_Limit(""), 0);
    }

    void raw_texts_keep_what_the_file_holds() {
        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Parse_Xml(Par_Gen("<Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"
                                            "<BACnet_Ser_Baudrate>9</BACnet_Ser_Baudrate>"),
                                    "ParGen.xml", doc, error),
                 project::Load_Status::Loaded);
        ParGen_Record defaults;
        defaults.BACnet_Ser_DEV_IDE = "0";
        const ParGen_Record texts = comm::Read_ParGen_Texts(project::Root_Node(doc), defaults);
        QCOMPARE(texts.Eth_Conn_DHCP_WiFi, QStringLiteral("1"));
        QCOMPARE(texts.BACnet_Ser_Baudrate, QStringLiteral("9"));
        QCOMPARE(texts.BACnet_Ser_DEV_IDE, QStringLiteral("0"));
    }

    void wifi_flag_ignored_and_rewritten_as_zero() {
        QTemporaryDir dir;
        const QString path = dir.filePath("ParGen.xml");
        QVERIFY(Write_Test_File(path, Par_Gen("<Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"
                                              "<Old_Field>x</Old_Field>")));
        ParGen_Record record;
        QString error;
        QCOMPARE(comm::Load_ParGen(path, record, error), project::Load_Status::Loaded);
        QCOMPARE(record.Eth_Conn_DHCP_WiFi, QStringLiteral("0"));
        record.Eth_Conn_DHCP_WiFi = "1"; // even a record that says otherwise writes "0"
        QCOMPARE(comm::Save_ParGen(record, path), QString());
        const QByteArray saved = Read_Test_File(path);
        QVERIFY(saved.contains("<Eth_Conn_DHCP_WiFi>0</Eth_Conn_DHCP_WiFi>"));
        QVERIFY(!saved.contains("Old_Field"));
    }

    void save_writes_57_elements_in_order_and_reloads() {
        QTemporaryDir dir;
        const QString path = dir.filePath("ParGen.xml");
        ParGen_Record record;
        record.Eth_Conn_Device_Name = "host <&> 1";
        record.BACnet_Type = "1";
        record.BACnet_GAT[2] = "999";
        record.HART_Master_Address = "Secondary Master";
        record.Web_Pages_Password = " pw ";
        record.Web_Pages_User = "   "; // blanks only are a text like any other
        QCOMPARE(comm::Save_ParGen(record, path), QString());
        const QByteArray first = Read_Test_File(path);
        QVERIFY(first.startsWith("<Par_Gen>"));

        pugi::xml_document doc;
        QString error;
        QCOMPARE(project::Load_Xml_File(path, doc, error), project::Load_Status::Loaded);
        QStringList names;
        for (pugi::xml_node child : project::Root_Node(doc).children())
            names << QString::fromUtf8(child.name());
        QCOMPARE(names, comm::ParGen_Element_Names());
        const pugi::xml_node comment = project::Root_Node(doc).next_sibling();
        QCOMPARE(comment.type(), pugi::node_comment);
        QCOMPARE(QString::fromUtf8(comment.value()), QStringLiteral("SW_VERSION = 1.002"));

        ParGen_Record loaded;
        QCOMPARE(comm::Load_ParGen(path, loaded, error), project::Load_Status::Loaded);
        QCOMPARE(loaded, record);
        QCOMPARE(comm::Save_ParGen(loaded, path), QString());
        QCOMPARE(Read_Test_File(path), first);
    }

    void malformed_file_fails_and_stays_untouched() {
        QTemporaryDir dir;
        const QString path = dir.filePath("ParGen.xml");
        const QByteArray broken = "<Par_Gen><BACnet_PORT>1</Par_Gen>";
        QVERIFY(Write_Test_File(path, broken));
        ParGen_Record record;
        record.BACnet_PORT = "5";
        QString error;
        QCOMPARE(comm::Load_ParGen(path, record, error), project::Load_Status::Failed);
        QVERIFY2(error.contains("ParGen.xml"), qPrintable(error));
        QCOMPARE(record.BACnet_PORT, QStringLiteral("5"));
        QCOMPARE(Read_Test_File(path), broken);
    }
};

QTEST_GUILESS_MAIN(Test_ParGen_Record)
#include "test_pargen_record.moc"
