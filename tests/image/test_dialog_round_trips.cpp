// What the user saves in a dialog is what the converter receives: each test fills a dialog
// with distinct values, confirms it with OK, compiles the project and reads the bytes back.

#include "app/session_state.h"
#include "comm/pargen_dialog.h"
#include "hart/hart_variables_dialog.h"
#include "hart/hart_variables_model.h"
#include "image/compile_image.h"
#include "image_fixtures.h"
#include "support/scripted_prompt.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct Project {
    QTemporaryDir dir;
    app::Session_State state;
    Scripted_Prompt prompt;

    Project() {
        state.SW_Code = QStringLiteral("VX20417");
        state.Project_Folder = dir.path();
        const project::Project_Paths paths = project::Project_Paths::In_Folder(dir.path());
        state.ParGen_File = paths.ParGen_File;
        state.HART_Variables_File = paths.HART_Variables_File;
        state.BACnet_Slave_File = paths.BACnet_Slave_File;
    }

    Compiled Compile() const {
        const auto image = std::make_unique<image::Image_State>();
        Compiled result;
        result.error = image::Compile_Image(project::Project_Paths::In_Folder(dir.path()), *image);
        const auto bytes = [](std::span<const uint8_t> span) {
            return QByteArray(reinterpret_cast<const char*>(span.data()), qsizetype(span.size()));
        };
        result.bank1 = bytes(image->Bank1_Bytes());
        result.bank2 = bytes(image->Bank2_Bytes());
        return result;
    }
};

// Every field of the communication settings, each with a value of its own.
comm::ParGen_Record Distinct_Record(bool mstp) {
    comm::ParGen_Record record;
    record.Eth_Conn_Device_Name = QStringLiteral("plant7");
    record.Eth_Conn_DHCP_Cable = QStringLiteral("1");
    record.Eth_Conn_Enable_DNS = QStringLiteral("1");
    record.Eth_Conn_Primary_DNS = {"1", "2", "3", "4"};
    record.Eth_Conn_Secondary_DNS = {"5", "6", "7", "8"};
    record.HART_Master_Address = QStringLiteral("Secondary Master");
    record.HART_Master_Retry_Limit = QStringLiteral("4");
    record.HART_Master_Enable_Diagnostic = QStringLiteral("1");
    record.HART_Master_Diagnostic = QStringLiteral("17");
    record.Ethernet_IP = {"10", "1", "2", "3"};
    record.Ethernet_SM = {"255", "255", "0", "0"};
    record.Ethernet_GAT = {"10", "1", "0", "254"};
    record.Ethernet_EN_GAT = QStringLiteral("1");
    record.BACnet_Type = mstp ? QStringLiteral("1") : QStringLiteral("0");
    record.BACnet_IP = {"10", "9", "8", "7"};
    record.BACnet_SM = {"255", "255", "255", "128"};
    record.BACnet_GAT = {"10", "9", "8", "1"};
    record.BACnet_EN_GAT = QStringLiteral("1");
    record.BACnet_PORT = QStringLiteral("47809");
    record.BACnet_NAME_STA = QStringLiteral("dev42");
    record.BACnet_DEV_IDE = QStringLiteral("4711");
    record.BACnet_Ser_Baudrate = QStringLiteral("4");
    record.BACnet_Ser_Parity = QStringLiteral("2");
    record.BACnet_Ser_ID = QStringLiteral("33");
    record.BACnet_Ser_NAME_STA = QStringLiteral("mstp9");
    record.BACnet_Ser_Max_Master = QStringLiteral("99");
    record.BACnet_Ser_Max_Info_Frames = QStringLiteral("3");
    record.BACnet_Ser_DEV_IDE = QStringLiteral("123456");
    record.BACnet_Ser_Network = QStringLiteral("7");
    record.Web_Pages_User = QStringLiteral("admin1");
    record.Web_Pages_Password = QStringLiteral("secret9");
    return record;
}

QString Hex_Text(const char* text) {
    return QString::fromLatin1(QByteArray(text).toHex());
}

} // namespace

class Test_Dialog_Round_Trips : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void communication_settings_data() {
        QTest::addColumn<bool>("mstp");
        QTest::addColumn<QString>("bytes");
        const QString common =
            QStringLiteral("1@0x514=%1 1@0x4E8=0100 1@0x58C=01020304 1@0x53C=05060708 "
                           "1@0x180=12000000 1@0x724=%2 1@0x72C=%3 1@0x030=")
                .arg(Hex_Text("plant7"), Hex_Text("admin1"), Hex_Text("secret9"));
        QTest::newRow("BACnet/IP")
            << false
            << common + QStringLiteral("0a090801 1@0x028=0a090807 1@0x02C=ffffff80 1@0x03A=c1ba "
                                       "1@0x050=%1 1@0x134=67120000")
                            .arg(Hex_Text("dev42"));
        QTest::newRow("BACnet MS/TP")
            << true
            << common + QStringLiteral("0a0100fe 1@0x028=0a010203 1@0x02C=ffff0000 "
                                       "1@0x19C=002c0100 1@0x190=002c0100 1@0x1AB=01 1@0x1A8=01 "
                                       "1@0x100=21 1@0x050=%1 1@0x101=63 1@0x102=03 "
                                       "1@0x12C=40e20100 1@0x10E=0700")
                            .arg(Hex_Text("mstp9"));
    }

    void communication_settings() {
        QFETCH(bool, mstp);
        QFETCH(QString, bytes);
        Project project;
        comm::TFParGen dialog(project.state, project.prompt);
        QString error;
        QVERIFY(dialog.FormShow(error));
        dialog.Record_To_Controls(Distinct_Record(mstp));
        dialog.Btn_OKClick();
        QVERIFY2(project.prompt.errors.isEmpty(), qPrintable(project.prompt.errors.join('\n')));

        const Compiled compiled = project.Compile();
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        Verify_Bytes(compiled, bytes);
        // Retry limit "4" reaches the HART bank header.
        Verify_Bytes(compiled, QStringLiteral("2@0x1081C=02000000"));
    }

    void hart_variables() {
        Project project;
        hart::TFHARTVariables dialog(project.state, project.prompt);
        QVERIFY(dialog.FormShow());
        hart::HART_Variable_Row variable;
        variable.Device_Address = QStringLiteral("0x261A0012AB");
        variable.Preamble_Count = QStringLiteral("7");
        variable.Var_Cmd_Type = QStringLiteral("Var");
        variable.Var_Cmd_Number = QStringLiteral("3");
        variable.Position = QStringLiteral("100");
        variable.Swap = true;
        variable.Var_Operation = QStringLiteral("x 100");
        variable.TimeOut = QStringLiteral("250");
        hart::HART_Variable_Row command;
        command.Device_Address = QStringLiteral("12345");
        command.Preamble_Count = QStringLiteral("5");
        command.Var_Cmd_Type = QStringLiteral("Command");
        command.Var_Cmd_Number = QStringLiteral("48");
        command.Cmd_Params = QStringLiteral("0A0B");
        command.Position = QStringLiteral("200");
        command.TimeOut = QStringLiteral("1000");
        hart::HART_Variable_Row disabled = variable;
        disabled.Enable = false;
        dialog.Model().Set_Rows({variable, disabled, command});
        dialog.Btn_OKClick();
        QVERIFY2(project.prompt.errors.isEmpty(), qPrintable(project.prompt.errors.join('\n')));

        const Compiled compiled = project.Compile();
        QVERIFY2(compiled.error.isEmpty(), qPrintable(compiled.error));
        // Header: two polled rows, records after the 36-byte header, HART type 1.
        Verify_Bytes(compiled, "2@0x10800=02000000 2@0x10804=24080900 2@0x10810=01000000");
        // The variable: address, preamble, Var, number, timeout, request bytes, position,
        // Swap with the x 100 scaling.
        Verify_Bytes(compiled, "2@0x10824=ab12001a26000000 2@0x1082C=07000000 2@0x10830=00000000 "
                               "2@0x10834=03000000 2@0x10854=fa000000 2@0x10860=bc080900 "
                               "2@0x10864=00000000 2@0x10868=64000000 2@0x1086C=11000000");
        // The command: its request bytes follow the records.
        Verify_Bytes(compiled, "2@0x10870=3930000000000000 2@0x10878=05000000 "
                               "2@0x1087C=02000000 2@0x10880=30000000 2@0x108A0=e8030000 "
                               "2@0x108AC=bc080900 2@0x108B0=02000000 2@0x108B4=c8000000 "
                               "2@0x108B8=00000000 2@0x108BC=0a0b");
        QCOMPARE(compiled.bank2.size(), 0x108BE);
    }
};

QTEST_MAIN(Test_Dialog_Round_Trips)
#include "test_dialog_round_trips.moc"
