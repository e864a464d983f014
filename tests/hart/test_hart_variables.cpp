#include "hart/hart_variables.h"
#include "lang/string_table.h"
#include "support/temp_files.h"

#include <QTemporaryDir>
#include <QTest>

using hart::HART_Variable_Row;

namespace {

HART_Variable_Row Valid_Variable() {
    HART_Variable_Row row;
    row.Device_Address = QStringLiteral("0x1A2B3C4D5E");
    row.Preamble_Count = QStringLiteral("5");
    row.Var_Cmd_Type = QStringLiteral("Var");
    row.Var_Cmd_Number = QStringLiteral("246");
    row.Position = QStringLiteral("10");
    row.Var_Operation = QStringLiteral("None");
    row.TimeOut = QStringLiteral("1000");
    row.Mnemonic = QStringLiteral("TT-101 - Primary Variable");
    return row;
}

HART_Variable_Row Valid_Command() {
    HART_Variable_Row row = Valid_Variable();
    row.Var_Cmd_Type = QStringLiteral("Command");
    row.Var_Cmd_Number = QStringLiteral("3");
    row.Cmd_Params = QStringLiteral("0A0B");
    row.Var_Operation.clear();
    return row;
}

void Set_Field(HART_Variable_Row& row, const QString& field, const QString& value) {
    if (field == QLatin1String("address"))
        row.Device_Address = value;
    else if (field == QLatin1String("preamble"))
        row.Preamble_Count = value;
    else if (field == QLatin1String("type"))
        row.Var_Cmd_Type = value;
    else if (field == QLatin1String("number"))
        row.Var_Cmd_Number = value;
    else if (field == QLatin1String("params"))
        row.Cmd_Params = value;
    else if (field == QLatin1String("position"))
        row.Position = value;
    else if (field == QLatin1String("operation"))
        row.Var_Operation = value;
    else if (field == QLatin1String("timeout"))
        row.TimeOut = value;
    else
        QFAIL("unknown field");
}

QString Message(int row, const QString& check) {
    return QStringLiteral("Error row %1").arg(row) + check;
}

const QString Address = QStringLiteral("!! Device Address Must be Between 0 and 0xFFFFFFFFFF");
const QString Preamble = QStringLiteral("!! Preamble Count Must be Between 5 and 20");
const QString Type = QStringLiteral("!! Type Must be selected");
const QString Command_Number = QStringLiteral("!! Command Number Must be Between 0 and 65535");
const QString Variable_Number = QStringLiteral("!! Variable Number Must be Between 0 and 250");
const QString Params_Odd = QStringLiteral("!! Params length of the Characters Must be even");
const QString Params_Long =
    QStringLiteral("!! Params must contain less or egua to 250 bytes (500 Characters)");
const QString Params_Hex =
    QStringLiteral("!! Params must contain only numbers (from 0 to 9) and Letters (form A to F)");
const QString Position = QStringLiteral("!! Position Must be Between 0 and 1440");
const QString Operations = QStringLiteral("!! Operations Must be selected");
const QString TimeOut = QStringLiteral("!! TimeOut Must be Between 0 and 0xFFFFFFFF");

QList<HART_Variable_Row> Rows_From(const QString& path) {
    return hart::Load_HART_Variables(path).rows;
}

} // namespace

class Test_HART_Variables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void Validation_data();
    void Validation();
    void Validation_Skips_Rows_Without_Address_Or_Enable();
    void Validation_Reports_First_Row_And_First_Check();
    void Load_Reads_Attributes_With_Defaults();
    void Load_Takes_Children_By_Position_And_Keeps_First_100();
    void Load_Refuses_Unreadable_Files_data();
    void Load_Refuses_Unreadable_Files();
    void Load_Missing_File_Gives_Empty_Table();
    void Save_Stops_At_First_Empty_Address();
    void Save_Writes_Attributes_In_Order();
    void Project_Check();

private:
    QTemporaryDir dir_;
    lang::String_Table texts_;
};

void Test_HART_Variables::Validation_data() {
    QTest::addColumn<bool>("command");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("check"); // empty: the table passes

    const auto Case = [](const char* name, bool command, const char* field, const QString& value,
                         const QString& check) {
        QTest::newRow(name) << command << QString::fromLatin1(field) << value << check;
    };
    Case("address 0x + ten hex digits", false, "address", "0xFFFFFFFFFF", {});
    Case("address $ hex", false, "address", "$ffffffffff", {});
    Case("address decimal max", false, "address", "1099511627775", {});
    Case("address one above max", false, "address", "1099511627776", Address);
    Case("address hex one above max", false, "address", "0x10000000000", Address);
    Case("address negative", false, "address", "-1", Address);
    Case("address not a number", false, "address", "12AB", Address);
    Case("address bare prefix", false, "address", "0x", Address);
    Case("preamble 4", false, "preamble", "4", Preamble);
    Case("preamble 20", false, "preamble", "20", {});
    Case("preamble 21", false, "preamble", "21", Preamble);
    Case("preamble empty", false, "preamble", "", Preamble);
    Case("type empty", false, "type", "", Type);
    Case("type blank", false, "type", "  ", Type);
    Case("variable 250", false, "number", "250", {});
    Case("variable 251", false, "number", "251", Variable_Number);
    Case("variable empty", false, "number", "", Variable_Number);
    Case("command 251", true, "number", "251", {});
    Case("command 65535", true, "number", "65535", {});
    Case("command 65536", true, "number", "65536", Command_Number);
    Case("params 3 digits", true, "params", "0A0", Params_Odd);
    Case("params 4 lower-case digits", true, "params", "0a1f", {});
    Case("params with G", true, "params", "0G", Params_Hex);
    Case("params inner blank", true, "params", "0A 0B0", Params_Hex);
    Case("params trimmed before the checks", true, "params", " 0A0B ", {});
    Case("params 500 characters", true, "params", QString(500, u'F'), {});
    Case("params 502 characters", true, "params", QString(502, u'F'), Params_Long);
    Case("params 501 characters are odd first", true, "params", QString(501, u'F'), Params_Odd);
    Case("params of a variable row are not checked", false, "params", "XYZ", {});
    Case("position 0", false, "position", "0", {});
    Case("position 1439", false, "position", "1439", {});
    Case("position 1440", false, "position", "1440", Position);
    Case("position empty", false, "position", "", Position);
    Case("command without operations", true, "operation", "", {});
    Case("variable without operations", false, "operation", "", Operations);
    Case("variable with blank operations", false, "operation", " ", Operations);
    Case("timeout empty", false, "timeout", "", TimeOut);
    Case("timeout 0", false, "timeout", "0", {});
    Case("timeout 4294967295", false, "timeout", "4294967295", {});
    Case("timeout 4294967296", false, "timeout", "4294967296", TimeOut);
    Case("timeout hex", false, "timeout", "0x10", TimeOut);
}

void Test_HART_Variables::Validation() {
    QFETCH(bool, command);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, check);

    QList<HART_Variable_Row> rows{Valid_Variable(), Valid_Command(), {}};
    rows[2] = command ? Valid_Command() : Valid_Variable();
    Set_Field(rows[2], field, value);
    QCOMPARE(hart::Check_HART_Variables(rows, texts_),
             check.isEmpty() ? QString() : Message(3, check));
}

void Test_HART_Variables::Validation_Skips_Rows_Without_Address_Or_Enable() {
    HART_Variable_Row broken = Valid_Variable();
    broken.Preamble_Count = QStringLiteral("99");
    HART_Variable_Row no_address = broken;
    no_address.Device_Address = QStringLiteral("   ");
    HART_Variable_Row disabled = broken;
    disabled.Enable = false;
    const QList<HART_Variable_Row> rows{Valid_Variable(), no_address, disabled, Valid_Command(),
                                        HART_Variable_Row()};
    QCOMPARE(hart::Check_HART_Variables(rows, texts_), QString());

    // Rows after an empty address are still validated.
    const QList<HART_Variable_Row> with_gap{Valid_Variable(), HART_Variable_Row(), broken};
    QCOMPARE(hart::Check_HART_Variables(with_gap, texts_), Message(3, Preamble));
}

void Test_HART_Variables::Validation_Reports_First_Row_And_First_Check() {
    HART_Variable_Row two_faults = Valid_Variable();
    two_faults.Position = QStringLiteral("5000");
    two_faults.Preamble_Count = QStringLiteral("1");
    HART_Variable_Row later = Valid_Variable();
    later.TimeOut.clear();
    const QList<HART_Variable_Row> rows{Valid_Variable(), two_faults, later};
    QCOMPARE(hart::Check_HART_Variables(rows, texts_), Message(2, Preamble));
}

void Test_HART_Variables::Load_Reads_Attributes_With_Defaults() {
    const QString path = dir_.filePath(QStringLiteral("defaults.xml"));
    QVERIFY(Write_Test_File(path, R"(<HART><!--SW_VERSION = 1.002--><HART_Variables>
<row Device_Address="0x0011223344"/>
<row Enable="N" Device_Address=" 7 " Preamble_Count="5" Var_Cmd_Type="Command" Var_Cmd_Number="3"
     Cmd_Params="0a" Position="12" Swap="N" ConvInt="N" Var_Operation="x 10" TimeOut="100" Mnemonic="m &amp; n"/>
<row Enable="n" Swap="yes" ConvInt="" Var_Cmd_Type="command" Var_Operation="x10"/>
</HART_Variables></HART>)"));
    const QList<HART_Variable_Row> rows = Rows_From(path);
    QCOMPARE(rows.size(), 3);

    HART_Variable_Row defaults;
    defaults.Device_Address = QStringLiteral("0x0011223344");
    defaults.Var_Cmd_Type = QStringLiteral("Var");
    defaults.Swap = true;
    defaults.Conv_Int = true;
    defaults.Var_Operation = QStringLiteral("None");
    QCOMPARE(rows[0], defaults);

    const HART_Variable_Row& full = rows[1];
    QCOMPARE(full.Enable, false);
    QCOMPARE(full.Device_Address, QStringLiteral(" 7 "));
    QCOMPARE(full.Var_Cmd_Type, QStringLiteral("Command"));
    QCOMPARE(full.Cmd_Params, QStringLiteral("0a"));
    QCOMPARE(full.Swap, false);
    QCOMPARE(full.Conv_Int, false);
    QCOMPARE(full.Var_Operation, QStringLiteral("x 10"));
    QCOMPARE(full.TimeOut, QStringLiteral("100"));
    QCOMPARE(full.Mnemonic, QStringLiteral("m & n"));

    // Only exactly "N" clears a box; texts that are not choices read empty.
    const HART_Variable_Row& odd = rows[2];
    QCOMPARE(odd.Enable, true);
    QCOMPARE(odd.Swap, true);
    QCOMPARE(odd.Conv_Int, true);
    QCOMPARE(odd.Var_Cmd_Type, QString());
    QCOMPARE(odd.Var_Operation, QString());
}

void Test_HART_Variables::Load_Takes_Children_By_Position_And_Keeps_First_100() {
    QByteArray xml = "<HART><HART_Variables><!-- note --><item Device_Address=\"first\"/>";
    for (int i = 2; i <= 105; ++i)
        xml += "<row Device_Address=\"" + QByteArray::number(i) + "\"/>";
    xml += "</HART_Variables></HART>";
    const QString path = dir_.filePath(QStringLiteral("many.xml"));
    QVERIFY(Write_Test_File(path, xml));
    const hart::HART_Variables_Load load = hart::Load_HART_Variables(path);
    QCOMPARE(load.status, project::Load_Status::Loaded);
    QCOMPARE(load.rows.size(), 100);
    QCOMPARE(load.dropped_rows, 5);
    QCOMPARE(load.rows.first().Device_Address, QStringLiteral("first"));
    QCOMPARE(load.rows.last().Device_Address, QStringLiteral("100"));
}

void Test_HART_Variables::Load_Refuses_Unreadable_Files_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not well-formed") << QByteArray("<HART><HART_Variables></HART>") << "line 1";
    QTest::newRow("no table element")
        << QByteArray("<HART><Variables/></HART>") << "table HART_Variables is missing";
    QTest::newRow("another root") << QByteArray("<Hart><HART_Variables/></Hart>")
                                  << "element HART is missing";
    QTest::newRow("cell beyond any the table holds")
        << "<HART><HART_Variables><row/><row Position=\"1\" Mnemonic=\"" + QByteArray(1001, 'x') +
               "\"/></HART_Variables></HART>"
        << "row 2, Mnemonic: 1001 characters";
}

void Test_HART_Variables::Load_Refuses_Unreadable_Files() {
    QFETCH(QByteArray, xml);
    QFETCH(QString, reason);
    const QString path = dir_.filePath(QStringLiteral("HART_Variables.xml"));
    QVERIFY(Write_Test_File(path, xml));
    const hart::HART_Variables_Load load = hart::Load_HART_Variables(path);
    QCOMPARE(load.status, project::Load_Status::Failed);
    QVERIFY(load.rows.isEmpty());
    QVERIFY2(load.error.contains(QDir::toNativeSeparators(path)), qPrintable(load.error));
    QVERIFY2(load.error.contains(reason), qPrintable(load.error));
    QCOMPARE(Read_Test_File(path), xml);
}

void Test_HART_Variables::Load_Missing_File_Gives_Empty_Table() {
    const hart::HART_Variables_Load load =
        hart::Load_HART_Variables(dir_.filePath(QStringLiteral("none.xml")));
    QCOMPARE(load.status, project::Load_Status::Missing);
    QVERIFY(load.rows.isEmpty());
}

void Test_HART_Variables::Save_Stops_At_First_Empty_Address() {
    HART_Variable_Row disabled = Valid_Command();
    disabled.Enable = false;
    HART_Variable_Row blank_address = Valid_Variable();
    blank_address.Device_Address = QStringLiteral(" ");
    const QList<HART_Variable_Row> rows{Valid_Variable(), disabled, blank_address, Valid_Variable(),
                                        Valid_Command()};
    const QString path = dir_.filePath(QStringLiteral("saved.xml"));
    QCOMPARE(hart::Save_HART_Variables(path, rows), QString());
    QCOMPARE(Rows_From(path), (QList<HART_Variable_Row>{Valid_Variable(), disabled}));

    // Saving what was read gives the same file.
    const QByteArray first = Read_Test_File(path);
    QCOMPARE(hart::Save_HART_Variables(path, Rows_From(path)), QString());
    QCOMPARE(Read_Test_File(path), first);
}

void Test_HART_Variables::Save_Writes_Attributes_In_Order() {
    HART_Variable_Row row = Valid_Command();
    row.Enable = false;
    row.Swap = true;
    row.Mnemonic = QStringLiteral(" Pump <1> ");
    const QString path = dir_.filePath(QStringLiteral("order.xml"));
    QCOMPARE(hart::Save_HART_Variables(path, {row}), QString());
    const QByteArray expected =
        "<HART>\n"
        "  <HART_Variables>\n"
        "    <row Enable=\"N\" Device_Address=\"0x1A2B3C4D5E\" Preamble_Count=\"5\" "
        "Var_Cmd_Type=\"Command\" Var_Cmd_Number=\"3\" Cmd_Params=\"0A0B\" Position=\"10\" "
        "Swap=\"Y\" ConvInt=\"N\" Var_Operation=\"\" TimeOut=\"1000\" Mnemonic=\" Pump &lt;1> "
        "\" />\n"
        "  </HART_Variables>\n"
        "</HART>\n"
        "<!--SW_VERSION = 1.002-->\n";
    QCOMPARE(Read_Test_File(path), expected);
}

void Test_HART_Variables::Project_Check() {
    QTemporaryDir project;
    QCOMPARE(hart::Check_HART_Variables_Project(project.path()), QString());

    HART_Variable_Row wrong = Valid_Variable();
    wrong.Position = QStringLiteral("1440");
    const QString path = QDir(project.path()).filePath(QStringLiteral("HART_Variables.xml"));
    QCOMPARE(hart::Save_HART_Variables(path, {Valid_Variable(), wrong}), QString());
    QCOMPARE(hart::Check_HART_Variables_Project(project.path()), Message(2, Position));

    QVERIFY(Write_Test_File(path, "<HART>"));
    QVERIFY(hart::Check_HART_Variables_Project(project.path())
                .contains(QStringLiteral("HART_Variables.xml")));
}

QTEST_GUILESS_MAIN(Test_HART_Variables)
#include "test_hart_variables.moc"
