#include "comm/pargen_validation.h"

#include <QTest>

using comm::ParGen_Record;

namespace {

// Applies "Element=value" settings to a default record.
ParGen_Record Record_With(const QStringList& settings) {
    ParGen_Record record;
    for (const QString& setting : settings) {
        const qsizetype equals = setting.indexOf(u'=');
        const std::string name = setting.left(equals).toStdString();
        bool found = false;
        comm::Visit_ParGen_Elements(record, [&](const std::string& element, QString& text) {
            if (element == name) {
                text = setting.mid(equals + 1);
                found = true;
            }
        });
        if (!found)
            qFatal("no element %s", name.c_str());
    }
    return record;
}

} // namespace

class Test_ParGen_Validation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void first_failure_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<int>("message"); // -1: every check passes

        const QString dns = QStringLiteral("Eth_Conn_Enable_DNS=1");
        const QString diag = QStringLiteral("HART_Master_Enable_Diagnostic=1");
        const QString mstp = QStringLiteral("BACnet_Type=1");
        QTest::newRow("defaults pass") << QStringList{} << -1;
        QTest::newRow("dns off, bad dns ignored") << QStringList{"Eth_Conn_Primary_DNS1=999"} << -1;
        QTest::newRow("primary dns 1") << QStringList{dns, "Eth_Conn_Primary_DNS1=256"} << 957;
        QTest::newRow("primary dns 4") << QStringList{dns, "Eth_Conn_Primary_DNS4=-1"} << 960;
        QTest::newRow("secondary dns 1") << QStringList{dns, "Eth_Conn_Secondary_DNS1=x"} << 961;
        QTest::newRow("secondary dns 4") << QStringList{dns, "Eth_Conn_Secondary_DNS4=300"} << 964;
        QTest::newRow("primary before secondary")
            << QStringList{dns, "Eth_Conn_Secondary_DNS1=300", "Eth_Conn_Primary_DNS3=300"} << 959;
        QTest::newRow("diagnostic off ignored") << QStringList{"HART_Master_Diagnostic=5000"} << -1;
        QTest::newRow("diagnostic 1438") << QStringList{diag, "HART_Master_Diagnostic=1438"} << -1;
        QTest::newRow("diagnostic 1439") << QStringList{diag, "HART_Master_Diagnostic=1439"} << 981;
        QTest::newRow("diagnostic empty") << QStringList{diag, "HART_Master_Diagnostic="} << 981;
        QTest::newRow("dns before diagnostic")
            << QStringList{dns, diag, "HART_Master_Diagnostic=-2", "Eth_Conn_Primary_DNS2=256"}
            << 958;
        QTest::newRow("diagnostic before ethernet")
            << QStringList{diag, "HART_Master_Diagnostic=-2", "Ethernet_IP1=256"} << 981;
        QTest::newRow("ethernet ip 1 not an integer") << QStringList{"Ethernet_IP1=192.168"} << 801;
        QTest::newRow("ethernet ip 4") << QStringList{"Ethernet_IP4=256"} << 804;
        QTest::newRow("ethernet mask 1") << QStringList{"Ethernet_SM1=256"} << 805;
        QTest::newRow("ethernet mask 4") << QStringList{"Ethernet_SM4="} << 808;
        QTest::newRow("ethernet gateway off ignored") << QStringList{"Ethernet_GAT1=256"} << -1;
        QTest::newRow("ethernet gateway 1")
            << QStringList{"Ethernet_EN_GAT=1", "Ethernet_GAT1=256"} << 809;
        QTest::newRow("ethernet gateway 4")
            << QStringList{"Ethernet_EN_GAT=1", "Ethernet_GAT4=256"} << 812;
        QTest::newRow("ethernet checked also for ms/tp")
            << QStringList{mstp, "Ethernet_IP2=a"} << 802;
        QTest::newRow("ethernet before bacnet")
            << QStringList{"Ethernet_SM2=256", "BACnet_IP1=256"} << 806;

        QTest::newRow("ip 1") << QStringList{"BACnet_IP1=256"} << 777;
        QTest::newRow("ip 4") << QStringList{"BACnet_IP4=256"} << 780;
        QTest::newRow("mask 1") << QStringList{"BACnet_SM1=256"} << 781;
        QTest::newRow("mask 4") << QStringList{"BACnet_SM4=256"} << 784;
        QTest::newRow("ip gateway off ignored") << QStringList{"BACnet_GAT1=256"} << -1;
        QTest::newRow("ip gateway 1") << QStringList{"BACnet_EN_GAT=1", "BACnet_GAT1=256"} << 785;
        QTest::newRow("ip gateway 4") << QStringList{"BACnet_EN_GAT=1", "BACnet_GAT4=256"} << 788;
        QTest::newRow("port 10000") << QStringList{"BACnet_PORT=10000"} << 789;
        QTest::newRow("port 10001") << QStringList{"BACnet_PORT=10001"} << 789;
        QTest::newRow("port 47808") << QStringList{"BACnet_PORT=47808"} << -1;
        QTest::newRow("port 65535") << QStringList{"BACnet_PORT=65535"} << -1;
        QTest::newRow("port 65536") << QStringList{"BACnet_PORT=65536"} << 789;
        QTest::newRow("port 0") << QStringList{"BACnet_PORT=0"} << -1;
        QTest::newRow("ip name blank") << QStringList{"BACnet_NAME_STA=device 1"} << 790;
        QTest::newRow("ip name underscore") << QStringList{"BACnet_NAME_STA=device_1"} << 790;
        QTest::newRow("ip name empty") << QStringList{"BACnet_NAME_STA="} << -1;
        QTest::newRow("ip name upper case") << QStringList{"BACnet_NAME_STA=Dev9"} << -1;
        QTest::newRow("identifier 4194303") << QStringList{"BACnet_DEV_IDE=4194303"} << -1;
        QTest::newRow("identifier 4194304") << QStringList{"BACnet_DEV_IDE=4194304"} << 791;
        QTest::newRow("port before name")
            << QStringList{"BACnet_PORT=", "BACnet_NAME_STA=a b", "BACnet_DEV_IDE=-1"} << 789;
        QTest::newRow("ip ignores ms/tp fields")
            << QStringList{"BACnet_Ser_NAME_STA=a b", "BACnet_Ser_Network=0"} << -1;

        QTest::newRow("ms/tp defaults pass") << QStringList{mstp} << -1;
        QTest::newRow("ms/tp ignores ip fields")
            << QStringList{mstp, "BACnet_IP1=999", "BACnet_PORT=10000", "BACnet_NAME_STA=a_b"}
            << -1;
        QTest::newRow("ms/tp name blank") << QStringList{mstp, "BACnet_Ser_NAME_STA=a b"} << 792;
        QTest::newRow("ms/tp name underscore")
            << QStringList{mstp, "BACnet_Ser_NAME_STA=a_b"} << 792;
        QTest::newRow("ms/tp name empty") << QStringList{mstp, "BACnet_Ser_NAME_STA="} << -1;
        QTest::newRow("mac 127") << QStringList{mstp, "BACnet_Ser_ID=127"} << -1;
        QTest::newRow("mac 128") << QStringList{mstp, "BACnet_Ser_ID=128"} << 793;
        QTest::newRow("max master 0") << QStringList{mstp, "BACnet_Ser_Max_Master=0"} << 794;
        QTest::newRow("max master 127") << QStringList{mstp, "BACnet_Ser_Max_Master=127"} << -1;
        QTest::newRow("info frames 101")
            << QStringList{mstp, "BACnet_Ser_Max_Info_Frames=101"} << 795;
        QTest::newRow("instance 4194303") << QStringList{mstp, "BACnet_Ser_DEV_IDE=4194303"} << -1;
        QTest::newRow("instance 4194304") << QStringList{mstp, "BACnet_Ser_DEV_IDE=4194304"} << 796;
        QTest::newRow("network 0") << QStringList{mstp, "BACnet_Ser_Network=0"} << 797;
        QTest::newRow("network 65534") << QStringList{mstp, "BACnet_Ser_Network=65534"} << -1;
        QTest::newRow("network 65535") << QStringList{mstp, "BACnet_Ser_Network=65535"} << 797;
        QTest::newRow("name before mac")
            << QStringList{mstp, "BACnet_Ser_ID=-1", "BACnet_Ser_NAME_STA=-"} << 792;
        QTest::newRow("max master before network")
            << QStringList{mstp, "BACnet_Ser_Network=0", "BACnet_Ser_Max_Master=200"} << 794;
    }

    void first_failure() {
        QFETCH(QStringList, settings);
        QFETCH(int, message);
        const lang::String_Table texts;
        QString expected;
        if (message == 981)
            expected = texts.Text(981) + QStringLiteral("1438");
        else if (message >= 0)
            expected = texts.Text(message);
        QCOMPARE(comm::Controllo_Dati(Record_With(settings), texts), expected);
    }

    void messages_read_as_the_error_box_shows_them() {
        const lang::String_Table texts;
        QCOMPARE(
            comm::Controllo_Dati(
                Record_With({"HART_Master_Enable_Diagnostic=1", "HART_Master_Diagnostic=1439"}),
                texts),
            QStringLiteral("Error HART Master!! Diagnostic Position must be between 0 and 1438"));
        QCOMPARE(comm::Controllo_Dati(Record_With({"BACnet_PORT=10001"}), texts),
                 QStringLiteral("Error BACnet!! PORT must be between 0 and 65535, and different "
                                "from 10000 and 10001"));
        QCOMPARE(comm::Controllo_Dati(Record_With({"Ethernet_IP3=192.168"}), texts),
                 QStringLiteral("Error Ethernet!! IP Address 3 must be between 0 and 255"));
        QCOMPARE(
            comm::Controllo_Dati(Record_With({"BACnet_Type=1", "BACnet_Ser_Network=65535"}), texts),
            QStringLiteral("Error BACnet!! Network must be between 1 and 65534"));
    }

    void messages_follow_the_language() {
        lang::String_Table texts;
        texts.Set(797, QStringLiteral("Errore rete"));
        QCOMPARE(
            comm::Controllo_Dati(Record_With({"BACnet_Type=1", "BACnet_Ser_Network=0"}), texts),
            QStringLiteral("Errore rete"));
    }

    void device_name_characters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bad");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters and digits") << "AZaz09" << false;
        QTest::newRow("blank") << "a b" << true;
        QTest::newRow("underscore") << "a_b" << true;
        QTest::newRow("dash") << "a-b" << true;
        QTest::newRow("accented letter") << QStringLiteral("caf\u00e9") << true;
    }

    void device_name_characters() {
        QFETCH(QString, name);
        QTEST(comm::Check_Device_Name(name), "bad");
    }
};

QTEST_GUILESS_MAIN(Test_ParGen_Validation)
#include "test_pargen_validation.moc"
