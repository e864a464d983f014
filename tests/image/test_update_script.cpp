#include "image/update_device.h"
#include "image/update_script.h"
#include "lang/string_table.h"
#include "support/temp_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using image::Update_Script_Values;

namespace {

struct Operation_Values {
    QString file;
    QString start_address;
    QString bank_type;
    QString write_css;
};

QString Operation_Xml(const Operation_Values& op, const QString& read_back,
                      const QString& go_to_app_after) {
    return QStringLiteral("    <Operation>\n"
                          "      <Ope_Protection_Enabled></Ope_Protection_Enabled>\n"
                          "      <Ope_GoToBoot_Before>0</Ope_GoToBoot_Before>\n"
                          "      <Ope_GoToApp_Before>0</Ope_GoToApp_Before>\n"
                          "      <Ope_IP_Address></Ope_IP_Address>\n"
                          "      <Ope_Port>2008</Ope_Port>\n"
                          "      <Ope_Port_Sec>2007</Ope_Port_Sec>\n"
                          "      <Ope_Erase_Memory>0</Ope_Erase_Memory>\n"
                          "      <Ope_FileName>%1</Ope_FileName>\n"
                          "      <Ope_Start_Address>%2</Ope_Start_Address>\n"
                          "      <Ope_Memory_Type>0</Ope_Memory_Type>\n"
                          "      <Ope_Bank_Type>%3</Ope_Bank_Type>\n"
                          "      <Ope_Read_Back>%4</Ope_Read_Back>\n"
                          "      <Ope_Write_CSS>%5</Ope_Write_CSS>\n"
                          "      <Ope_Address_CSS>0x07A00</Ope_Address_CSS>\n"
                          "      <Ope_Command_CSS>0x02</Ope_Command_CSS>\n"
                          "      <Ope_Write_Internal_Data>0</Ope_Write_Internal_Data>\n"
                          "      <Ope_WID_Address>0x07810</Ope_WID_Address>\n"
                          "      <Ope_WID_Command>0x02</Ope_WID_Command>\n"
                          "      <Ope_WID_Data>0x00, 0x00, 0x00, 0x01</Ope_WID_Data>\n"
                          "      <Ope_GoToApp_After>%6</Ope_GoToApp_After>\n"
                          "    </Operation>\n")
        .arg(op.file, op.start_address, op.bank_type, read_back, op.write_css, go_to_app_after);
}

QString Script_Xml(const QString& ip, const QString& protection, const QString& operations) {
    return QStringLiteral("<Ethernet_Update>\n"
                          "  <Version>1000</Version>\n"
                          "  <Title>Tolmex - VX20417 Ethernet Update</Title>\n"
                          "  <IP_Address_Dev>%1</IP_Address_Dev>\n"
                          "  <Application_Port>10000</Application_Port>\n"
                          "  <Boot_Port>2008</Boot_Port>\n"
                          "  <Boot_Port_Sec>2007</Boot_Port_Sec>\n"
                          "  <Address_Protection>0x07800</Address_Protection>\n"
                          "  <Protections>\n"
                          "    <Protection>%2</Protection>\n"
                          "  </Protections>\n"
                          "  <Operations>\n"
                          "%3"
                          "  </Operations>\n"
                          "</Ethernet_Update>\n")
        .arg(ip, protection, operations);
}

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

class Test_Update_Script : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    Update_Script_Values Values(int option, bool read_back, int bacnet_type) const {
        Update_Script_Values values;
        values.IP_Address = QStringLiteral("10.0.0.7");
        values.Update_Option = option;
        values.Read_Back = read_back;
        values.BACnet_Type = bacnet_type;
        values.Master_Folder = dir_.filePath("MASTER");
        values.Project_Folder = dir_.filePath("PROJECTS/Plant");
        return values;
    }

private Q_SLOTS:
    void whole_document_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("read_back");
        QTest::addColumn<int>("bacnet_type");
        QTest::addColumn<QStringList>("operations"); // F1 F2 C1 C2, in order
        QTest::addColumn<QString>("protection");

        QTest::newRow("firmware + configuration, read back, BACnet/IP")
            << 0 << true << 0 << QStringList{"F1", "F2", "C1", "C2"} << "0x200";
        QTest::newRow("firmware, read back, BACnet/IP")
            << 1 << true << 0 << QStringList{"F1", "F2"} << "0x200";
        QTest::newRow("configuration, read back, MS/TP")
            << 2 << true << 1 << QStringList{"C1", "C2"} << "0x201";
        QTest::newRow("firmware + configuration, no read back, MS/TP")
            << 0 << false << 1 << QStringList{"F1", "F2", "C1", "C2"} << "0x201";
        QTest::newRow("configuration, no read back, BACnet/IP")
            << 2 << false << 0 << QStringList{"C1", "C2"} << "0x200";
    }

    void whole_document() {
        QFETCH(int, option);
        QFETCH(bool, read_back);
        QFETCH(int, bacnet_type);
        QFETCH(QStringList, operations);
        QFETCH(QString, protection);

        const QHash<QString, Operation_Values> table{
            {"F1", {Native(dir_.filePath("MASTER/Sim20417.sim")), "0x8000", "1", "1"}},
            {"F2", {Native(dir_.filePath("MASTER/web_files_hart.bin")), "0xC0000", "1", "0"}},
            {"C1", {Native(dir_.filePath("PROJECTS/Plant/bin/bank1.bin")), "0x07000", "2", "0"}},
            {"C2", {Native(dir_.filePath("PROJECTS/Plant/bin/bank2.bin")), "0x80000", "2", "0"}},
        };
        QString expected_operations;
        for (int i = 0; i < operations.size(); ++i)
            expected_operations += Operation_Xml(table[operations[i]], read_back ? "1" : "0",
                                                 i + 1 == operations.size() ? "1" : "0");

        // An old script of any content is replaced.
        QVERIFY(Write_Test_File(dir_.filePath("Ethernet_Update.xml"), "<old><Operation/></old>"));
        QCOMPARE(image::Compile_XML_Parameter_New_Boot(Values(option, read_back, bacnet_type),
                                                       dir_.path()),
                 QString());
        const QString written =
            QString::fromUtf8(Read_Test_File(dir_.filePath("Ethernet_Update.xml")));
        QCOMPARE(written, Script_Xml("10.0.0.7", protection, expected_operations));
    }

    void unwritable_folder_is_reported() {
        const QString message =
            image::Compile_XML_Parameter_New_Boot(Values(0, true, 0), dir_.filePath("none/deeper"));
        QVERIFY(message.contains("Ethernet_Update.xml"));
    }

    void bacnet_type_data() {
        QTest::addColumn<QByteArray>("par_gen"); // empty: no file
        QTest::addColumn<int>("type");
        QTest::newRow("MS/TP") << QByteArray("<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>")
                               << 1;
        QTest::newRow("BACnet/IP")
            << QByteArray("<Par_Gen><BACnet_Type>0</BACnet_Type></Par_Gen>") << 0;
        QTest::newRow("element missing") << QByteArray("<Par_Gen></Par_Gen>") << 0;
        QTest::newRow("not a number")
            << QByteArray("<Par_Gen><BACnet_Type>MSTP</BACnet_Type></Par_Gen>") << 0;
        QTest::newRow("no file") << QByteArray() << 0;
    }

    void bacnet_type() {
        QFETCH(QByteArray, par_gen);
        QFETCH(int, type);
        QTemporaryDir project;
        const QString file = project.filePath("ParGen.xml");
        if (!par_gen.isEmpty())
            QVERIFY(Write_Test_File(file, par_gen));
        QCOMPARE(image::Get_Type_BACnet(file), type);
    }

    void missing_file_is_named_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("missing"); // empty: all there

        const QStringList all{"MASTER/Sim20417.sim", "MASTER/web_files_hart.bin",
                              "PROJECTS/Plant/bin/bank1.bin", "PROJECTS/Plant/bin/bank2.bin"};
        QTest::newRow("all there") << 0 << all << QString();
        QTest::newRow("firmware missing") << 0 << all.mid(1) << "MASTER/Sim20417.sim";
        QTest::newRow("configuration needs no firmware") << 2 << all.mid(2) << QString();
        QTest::newRow("firmware needs no banks") << 1 << all.mid(0, 2) << QString();
        QTest::newRow("bank 2 missing") << 2 << all.mid(0, 3) << "PROJECTS/Plant/bin/bank2.bin";
        QTest::newRow("web pages missing")
            << 1 << QStringList{all[0]} << "MASTER/web_files_hart.bin";
    }

    void missing_file_is_named() {
        QFETCH(int, option);
        QFETCH(QStringList, present);
        QFETCH(QString, missing);
        QTemporaryDir root;
        for (const QString& file : present)
            QVERIFY(Write_Test_File(root.filePath(file), "x"));
        Update_Script_Values values = Values(option, true, 0);
        values.Master_Folder = root.filePath("MASTER");
        values.Project_Folder = root.filePath("PROJECTS/Plant");
        const lang::String_Table texts;
        const QString message = image::Check_Update_Files(values, texts);
        if (missing.isEmpty())
            QCOMPARE(message, QString());
        else
            QCOMPARE(message, "Error!!! File not found: " + Native(root.filePath(missing)));
    }
};

QTEST_GUILESS_MAIN(Test_Update_Script)
#include "test_update_script.moc"
