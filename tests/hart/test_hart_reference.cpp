#include "hart/hart_reference.h"

#include <QTest>

class Test_HART_Reference : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Slot_Name_data();
    void Slot_Name();
    void Slot_Code_data();
    void Slot_Code();
    void Classification_Name_data();
    void Classification_Name();
    void Unit_Name_data();
    void Unit_Name();
};

void Test_HART_Reference::Slot_Name_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::newRow("242") << 242 << "Battery Voltage" << true;
    QTest::newRow("246") << 246 << "Primary Variable" << true;
    QTest::newRow("250") << 250 << "Not Used" << true;
    QTest::newRow("0") << 0 << "0" << false;
    QTest::newRow("241") << 241 << "241" << false;
    QTest::newRow("251") << 251 << "251" << false;
    QTest::newRow("255") << 255 << "255" << false;
}

void Test_HART_Reference::Slot_Name() {
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(bool, found);
    const hart::Slot_Name_Result result = hart::Slot_Name(static_cast<quint8>(code));
    QCOMPARE(result.text, text);
    QCOMPARE(result.found, found);
}

void Test_HART_Reference::Slot_Code_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");
    QTest::newRow("Primary Variable") << "Primary Variable" << 246;
    QTest::newRow("Battery life") << "Battery life" << 243;
    QTest::newRow("Not Used") << "Not Used" << 250;
    QTest::newRow("lower case is not a name") << "primary variable" << 0;
    QTest::newRow("number text") << "17" << 17;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("trailing blank") << "Primary Variable " << 0;
    QTest::newRow("too large for an integer") << "99999999999" << 0;
}

void Test_HART_Reference::Slot_Code() {
    QFETCH(QString, name);
    QFETCH(int, code);
    QCOMPARE(hart::Slot_Code(name), code);
}

void Test_HART_Reference::Classification_Name_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "Device Variable Not Classified";
    QTest::newRow("1") << 1 << "Reserved";
    QTest::newRow("5") << 5 << "Reserved";
    QTest::newRow("63") << 63 << "Reserved";
    QTest::newRow("64") << 64 << "Temperature";
    QTest::newRow("83") << 83 << "Electromotive Force/Electric Potential";
    QTest::newRow("90") << 90 << "Concentration";
    QTest::newRow("91") << 91 << "Reserved";
    QTest::newRow("93") << 93 << "Reserved";
    QTest::newRow("95") << 95 << "Reserved";
    QTest::newRow("96") << 96 << "Acceleration";
    QTest::newRow("106") << 106 << "Volumetric Liquid Flow (per Day)";
    QTest::newRow("111") << 111 << "Miscellaneous";
    QTest::newRow("112") << 112 << "112";
    QTest::newRow("255") << 255 << "255";
}

void Test_HART_Reference::Classification_Name() {
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(hart::Classification_Name(static_cast<quint8>(code)), text);
}

void Test_HART_Reference::Unit_Name_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("1") << 1 << QString::fromUtf8("inH2O (inches of water at 68 °F / 20 °C)");
    QTest::newRow("32") << 32 << QString::fromUtf8("°C (degrees Celsius)");
    QTest::newRow("37") << 37 << QString::fromUtf8("Ω (ohms)");
    QTest::newRow("38") << 38 << "Hk (hertz)";
    QTest::newRow("88") << 88 << "ton (UK)/d (long tons per hour)";
    QTest::newRow("145") << 145 << QString::fromUtf8("inH2O (60 °F) (inches of waterat 60 °F)");
    QTest::newRow("155") << 155 << QString::fromUtf8("µl/l (microliters per liter)");
    QTest::newRow("156") << 156 << "dB (Decibel)";
    QTest::newRow("157") << 157 << "157";
    QTest::newRow("255") << 255 << "255";
}

void Test_HART_Reference::Unit_Name() {
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(hart::Unit_Name(static_cast<quint8>(code)), text);
}

QTEST_GUILESS_MAIN(Test_HART_Reference)
#include "test_hart_reference.moc"
