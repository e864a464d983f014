#include "hart/scan_import.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

using hart::HART_Variable_Row;
using hart::Scan_Variable;

namespace {

QList<HART_Variable_Row> Table_With(int filled_rows) {
    QList<HART_Variable_Row> rows(hart::HART_Variables_Rows);
    for (int row = 0; row < filled_rows; ++row) {
        rows[row].Device_Address = QStringLiteral("%1").arg(row + 1);
        rows[row].Var_Cmd_Type = QStringLiteral("Command");
        rows[row].Position = QStringLiteral("7");
        rows[row].Swap = true;
    }
    return rows;
}

QList<Scan_Variable> Variables(int count) {
    QList<Scan_Variable> variables;
    const QStringList slots{"Primary Variable", "Secondary Variable", "Loop Current"};
    for (int i = 0; i < count; ++i) {
        Scan_Variable variable;
        variable.Device_Address = QStringLiteral("0x261A0012A%1").arg(i % 10);
        variable.Preamble_Count = QStringLiteral("5");
        variable.Device_Name = QStringLiteral("TT-101").leftJustified(32, u' ');
        variable.Var_Code = slots[i % slots.size()];
        variables << variable;
    }
    return variables;
}

} // namespace

class Test_Scan_Import : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Fills_From_First_Empty_Address_data();
    void Fills_From_First_Empty_Address();
    void Imported_Row_Fields();
    void Stops_At_Row_100();
    void Scan_Address_From_ParGen();
};

void Test_Scan_Import::Fills_From_First_Empty_Address_data() {
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<int>("first_row");
    QTest::newRow("keep the table: rows 3 to 5") << false << 2;
    QTest::newRow("overwrite: rows 1 to 3") << true << 0;
}

void Test_Scan_Import::Fills_From_First_Empty_Address() {
    QFETCH(bool, overwrite);
    QFETCH(int, first_row);
    QList<HART_Variable_Row> rows = Table_With(2);
    rows[5].Device_Address = QStringLiteral("99"); // past a gap: never the start
    if (overwrite)
        hart::Clear_For_Import(rows);
    const hart::Scan_Import_Result result = hart::Import_Scan_Variables(rows, Variables(3));
    QCOMPARE(result.first_row, first_row);
    QCOMPARE(result.imported, 3);
    QCOMPARE(result.not_imported, 0);
    QCOMPARE(rows[first_row].Var_Cmd_Number, "246");
    QCOMPARE(rows[first_row + 2].Var_Cmd_Number, "245");
    QCOMPARE(rows[first_row + 3].Device_Address, overwrite ? "" : "99");
    if (!overwrite)
        QCOMPARE(rows[1].Device_Address, "2");
    // Clearing keeps the Swap boxes and the Enable box is checked again.
    QCOMPARE(rows[1].Swap, true);
    QVERIFY(rows[99].Enable);
}

void Test_Scan_Import::Imported_Row_Fields() {
    QList<HART_Variable_Row> rows = Table_With(1);
    rows[1].Enable = false;
    rows[1].Cmd_Params = QStringLiteral("0A0B");
    rows[1].Var_Operation = QStringLiteral("x 10");
    rows[1].TimeOut = QStringLiteral("100");
    rows[1].Conv_Int = true;
    hart::Import_Scan_Variables(rows, Variables(1));
    HART_Variable_Row expected;
    expected.Enable = true;
    expected.Device_Address = QStringLiteral("0x261A0012A0");
    expected.Preamble_Count = QStringLiteral("5");
    expected.Var_Cmd_Type = QStringLiteral("Var");
    expected.Var_Cmd_Number = QStringLiteral("246");
    expected.Conv_Int = true; // check states are not changed
    expected.Mnemonic = QStringLiteral("TT-101").leftJustified(32, u' ') + " - Primary Variable";
    QCOMPARE(rows[1], expected);
}

void Test_Scan_Import::Stops_At_Row_100() {
    QList<HART_Variable_Row> rows = Table_With(98);
    hart::Scan_Import_Result result = hart::Import_Scan_Variables(rows, Variables(5));
    QCOMPARE(result.first_row, 98);
    QCOMPARE(result.imported, 2);
    QCOMPARE(result.not_imported, 3);
    QCOMPARE(rows.size(), hart::HART_Variables_Rows);
    QCOMPARE(rows[99].Var_Cmd_Type, "Var");

    // A full table takes nothing: its rows are not overwritten without being asked.
    const QList<HART_Variable_Row> full = Table_With(100);
    rows = full;
    result = hart::Import_Scan_Variables(rows, Variables(2));
    QCOMPARE(result.imported, 0);
    QCOMPARE(result.not_imported, 2);
    QCOMPARE(rows, full);
}

void Test_Scan_Import::Scan_Address_From_ParGen() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ParGen.xml"));
    comm::Octet_Texts octets{"1", "2", "3", "4"};
    QString error;
    QCOMPARE(hart::Read_Scan_Address(path, octets, error), project::Load_Status::Missing);
    QCOMPARE(octets, (comm::Octet_Texts{"1", "2", "3", "4"}));

    QVERIFY(Write_Test_File(path, "<Par_Gen><Ethernet_IP1>10</Ethernet_IP1>"
                                  "<Ethernet_IP3>7</Ethernet_IP3></Par_Gen>"));
    QCOMPARE(hart::Read_Scan_Address(path, octets, error), project::Load_Status::Loaded);
    QCOMPARE(octets, (comm::Octet_Texts{"10", "168", "7", "10"}));

    QVERIFY(Write_Test_File(path, "<Par_Gen><Ethernet_IP1>"));
    QCOMPARE(hart::Read_Scan_Address(path, octets, error), project::Load_Status::Failed);
    QVERIFY(error.contains("ParGen.xml"));
}

QTEST_GUILESS_MAIN(Test_Scan_Import)
#include "test_scan_import.moc"
