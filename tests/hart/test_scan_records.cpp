#include "hart/scan_records.h"
#include "lang/string_table.h"

#include <QTest>

#include <optional>

using hart::Device_Record;
using hart::Scan_Result_Model;
using hart::Scan_Variable;

namespace {

struct Entry {
    quint8 code, classification, unit;
};

Device_Record Make_Record(const QByteArray& name, const QList<Entry>& entries,
                          std::optional<qint32> declared = {}) {
    Device_Record record{};
    const quint8 address[5] = {0x26, 0x1A, 0x00, 0x12, 0xAB};
    record[1] = address[0];
    record[2] = address[1];
    record[9] = address[2];
    record[10] = address[3];
    record[11] = address[4];
    record[3] = 5;
    for (int i = 0; i < name.size(); ++i)
        record[size_t(61 + i)] = quint8(name[i]);
    const quint32 count = quint32(declared.value_or(qint32(entries.size())));
    for (int i = 0; i < 4; ++i)
        record[size_t(115 + i)] = quint8(count >> (8 * i));
    for (int k = 0; k < entries.size(); ++k) {
        record[size_t(119 + 3 * k)] = entries[k].code;
        record[size_t(120 + 3 * k)] = entries[k].classification;
        record[size_t(121 + 3 * k)] = entries[k].unit;
    }
    return record;
}

} // namespace

class Test_Scan_Records : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Decodes_Address_Name_And_Listed_Slots();
    void Devices_Alternate_Shades();
    void Declared_Entries_Beyond_The_Record_Are_Ignored();
    void Only_The_Reported_Devices_Are_Listed();
    void Model_Checks_And_Empty_Row();
};

void Test_Scan_Records::Decodes_Address_Name_And_Listed_Slots() {
    const Device_Record record = Make_Record(
        QByteArray("TT-101\0\tX", 9), {{0, 64, 32}, {1, 64, 32}, {246, 64, 32}, {247, 65, 7}});
    const QList<Scan_Variable> variables = hart::Decode_Scan_Records({record}, 1);
    QCOMPARE(variables.size(), 2);
    const Scan_Variable& first = variables[0];
    QCOMPARE(first.Device_Address, "0x261A0012AB");
    QCOMPARE(first.Preamble_Count, "5");
    // Whole 32 characters; control characters and padding zeros show as blanks.
    QCOMPARE(first.Device_Name, QString("TT-101  X").leftJustified(32, u' '));
    QCOMPARE(first.Var_Code, "Primary Variable");
    QCOMPARE(first.Var_Classification, "Temperature");
    QCOMPARE(first.Var_Unit, "°C (degrees Celsius)");
    QVERIFY(first.Enable);
    QCOMPARE(variables[1].Var_Code, "Secondary Variable");
    QCOMPARE(variables[1].Var_Classification, "Pressure");
    QCOMPARE(variables[1].Var_Unit, "bar (bars)");
}

void Test_Scan_Records::Devices_Alternate_Shades() {
    const Device_Record two = Make_Record("A", {{246, 64, 32}, {247, 64, 32}});
    const Device_Record none = Make_Record("B", {{0, 64, 32}});
    const QList<Scan_Variable> variables = hart::Decode_Scan_Records({two, none, two, two}, 4);
    QList<int> shades;
    for (const Scan_Variable& variable : variables)
        shades << variable.Shade;
    // A device without listed entries takes no shade of its own.
    QCOMPARE(shades, (QList<int>{0, 0, 1, 1, 0, 0}));
}

void Test_Scan_Records::Declared_Entries_Beyond_The_Record_Are_Ignored() {
    Device_Record record = Make_Record("C", {}, 100000);
    record[size_t(119 + 3 * 292)] = 248; // the last entry the record can hold
    const QList<Scan_Variable> variables = hart::Decode_Scan_Records({record}, 1);
    QCOMPARE(variables.size(), 1);
    QCOMPARE(variables[0].Var_Code, "Tertiary Variable");
    QVERIFY(hart::Decode_Scan_Records({Make_Record("D", {{246, 0, 0}}, -5)}, 1).isEmpty());
}

void Test_Scan_Records::Only_The_Reported_Devices_Are_Listed() {
    const Device_Record record = Make_Record("E", {{246, 0, 0}});
    QCOMPARE(hart::Decode_Scan_Records({record, record}, 1).size(), 1);
    QVERIFY(hart::Decode_Scan_Records({record}, 0).isEmpty());
}

void Test_Scan_Records::Model_Checks_And_Empty_Row() {
    Scan_Result_Model model;
    model.Set_Lang(lang::String_Table());
    QCOMPARE(model.headerData(Scan_Result_Model::Col_Var_Unit, Qt::Horizontal, Qt::DisplayRole)
                 .toString(),
             "Var Unit Code");
    // Nothing listed: one empty row that cannot be ticked, not even by Select All.
    QCOMPARE(model.rowCount(), 1);
    model.Select_All(true);
    QVERIFY(
        !(model.flags(model.index(0, Scan_Result_Model::Col_Enable)) & Qt::ItemIsUserCheckable));
    QVERIFY(model.Selected().isEmpty());

    model.Set_Variables(
        hart::Decode_Scan_Records({Make_Record("F", {{246, 0, 0}, {247, 0, 0}})}, 1));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(1, Scan_Result_Model::Col_Number).data().toString(), "2");
    QVERIFY(model.setData(model.index(0, Scan_Result_Model::Col_Enable), Qt::Unchecked,
                          Qt::CheckStateRole));
    QCOMPARE(model.Selected().size(), 1);
    QCOMPARE(model.Selected()[0].Var_Code, "Secondary Variable");
    model.Select_All(false);
    QVERIFY(model.Selected().isEmpty());
    model.Select_All(true);
    QCOMPARE(model.Selected().size(), 2);
}

QTEST_GUILESS_MAIN(Test_Scan_Records)
#include "test_scan_records.moc"
