#include "bacnet/bacnet_access.h"
#include "bacnet/bacnet_access_model.h"
#include "bacnet_fixtures.h"
#include "lang/string_table.h"
#include "project/grid_roles.h"
#include "support/temp_files.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using bacnet::Access_Table;
using bacnet::BACnet_Access_Row;
using Rows = QList<BACnet_Access_Row>;

Q_DECLARE_METATYPE(BACnet_Access_Row)

namespace {

BACnet_Access_Row With_Bit(BACnet_Access_Row row, const QString& bit) {
    row.Bit = bit;
    return row;
}

} // namespace

class Test_BACnet_Access : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validation_data() {
        QTest::addColumn<Rows>("read");
        QTest::addColumn<Rows>("write");
        QTest::addColumn<bool>("desc_lenght");
        QTest::addColumn<QString>("message");
        const QString read_error = QStringLiteral("Error row %1!! [BACnet in Read] ");
        const QString write_error = QStringLiteral("Error row %1!! [BACnet in Write] ");
        const BACnet_Access_Row ai = Grid_Row("Analog Input");

        QTest::newRow("empty tables") << Rows{} << Rows{} << false << "";
        QTest::newRow("last byte 1439 passes")
            << Rows{Grid_Row("Analog Input", "1436", "4")} << Rows{} << false << "";
        QTest::newRow("last byte 1440 fails")
            << Rows{Grid_Row("Analog Input", "1437", "4")} << Rows{} << false
            << read_error.arg(1) + "Too many bytes to save starting from the Position indicate";
        QTest::newRow("large analog value, 8 bytes")
            << Rows{Grid_Row("Large Analog Value", "1432", "8")}
            << Rows{Grid_Row("Large Analog Value", "1433", "8")} << false
            << write_error.arg(1) + "Too many bytes to save starting from the Position indicate";
        QTest::newRow("binary without start bit, row number in the text")
            << Rows{ai, ai, With_Bit(Grid_Row("Binary Value"), "")} << Rows{} << false
            << read_error.arg(3) + "Bit must be between 0 and 7";
        QTest::newRow("binary with start bit 0, any length")
            << Rows{Grid_Row("Binary Value", "1439", "99")}
            << Rows{Grid_Row("Binary Out", "1439", "")} << false << "";
        QTest::newRow("write binary without start bit")
            << Rows{} << Rows{With_Bit(Grid_Row("Binary Out"), "")} << false
            << write_error.arg(1) + "Bit must be between 0 and 7";
        QTest::newRow("empty eng. unit, read")
            << Rows{Grid_Row("Analog Input", "0", "4", "")} << Rows{} << false
            << read_error.arg(1) + "Eng. Unit must be between 0 and 65535";
        QTest::newRow("empty eng. unit, write")
            << Rows{} << Rows{Grid_Row("Analog Out", "0", "4", "")} << false
            << write_error.arg(1) + "Eng. Unit must be between 0 and 65535";
        QTest::newRow("eng. unit 65535 passes")
            << Rows{Grid_Row("Analog Input", "0", "4", "65535")} << Rows{} << false << "";
        QTest::newRow("eng. unit 65536 fails")
            << Rows{Grid_Row("Analog Input", "0", "4", "65536")} << Rows{} << false
            << read_error.arg(1) + "Eng. Unit must be between 0 and 65535";
        QTest::newRow("position 1440")
            << Rows{Grid_Row("Analog Input", "1440", "1")} << Rows{} << false
            << read_error.arg(1) + "Position must be between 0 and 1439";
        QTest::newRow("position not a number, write")
            << Rows{} << Rows{Grid_Row("Analog Out", "x", "1")} << false
            << write_error.arg(1) + "Position must be between 0 and 1439";
        QTest::newRow("write row checked by its own type")
            << Rows{ai} << Rows{Grid_Row("Multi State Output", "0", "5")} << false
            << write_error.arg(1) +
                   "Length with variable \"Multi State Output\" must be between 1 and 4";
        QTest::newRow("write rows counted on their own")
            << Rows{ai, ai} << Rows{Grid_Row("Analog Out"), Grid_Row("Analog Out", "0", "")}
            << false
            << write_error.arg(2) + "Length with variable \"Analog Out\" must be between 1 and 4";
        QTest::newRow("read integer value bounded like the write table")
            << Rows{Grid_Row("Integer Value", "0", "5")} << Rows{} << false
            << read_error.arg(1) + "Length with variable \"Integer Value\" must be between 1 and 4";
        QTest::newRow("read integer value of 4 bytes")
            << Rows{Grid_Row("Integer Value", "0", "4")} << Rows{} << false << "";
        QTest::newRow("access door takes one byte")
            << Rows{Grid_Row("Access Door", "0", "2")} << Rows{} << false
            << read_error.arg(1) + "Length with variable \"Access Door\" must be equal to 1";
        QTest::newRow("life safety zone takes 1 or 2")
            << Rows{Grid_Row("Life Safety Zone", "0", "3")} << Rows{} << false
            << read_error.arg(1) + "Length with variable \"Life Safety Zone\" must be 1 or 2";
        QTest::newRow("the first row not in use ends the table")
            << Rows{ai, ai, ai, Grid_Row("  "), Grid_Row("Analog Input", "5000", "x")} << Rows{}
            << false << "";
        QTest::newRow("overlapping objects pass")
            << Rows{Grid_Row("Analog Input", "10", "4"), Grid_Row("Analog Value", "12", "4")}
            << Rows{Grid_Row("Analog Out", "10", "4")} << false << "";
        QTest::newRow("600 + 401 objects with 32-character names")
            << Grid_Rows(600) << Grid_Rows(401, "Analog Out") << true
            << "Error!! Too many Requests. Max requests 1000";
        QTest::newRow("600 + 400 objects with 32-character names")
            << Grid_Rows(600) << Grid_Rows(400, "Analog Out") << true << "";
        QTest::newRow("600 + 401 objects with 16-character names")
            << Grid_Rows(600) << Grid_Rows(401, "Analog Out") << false << "";
        QTest::newRow("2000 + 1 objects") << Grid_Rows(2000) << Grid_Rows(1, "Analog Out") << false
                                          << "Error!! Too many Requests. Max requests 2000";
    }

    void validation() {
        QFETCH(Rows, read);
        QFETCH(Rows, write);
        QFETCH(bool, desc_lenght);
        QFETCH(QString, message);
        QCOMPARE(bacnet::Check_BACnet_Access(read, write, desc_lenght, lang::String_Table()),
                 message);
    }

    void load_gives_swap_defaults_and_keeps_texts() {
        QTemporaryDir dir;
        const QString path = dir.filePath("BACnet_Slave.xml");
        QVERIFY(Write_Test_File(
            path, Access_File({R"(<row Data_Type="Analog Input" Eng_Unit=" 62" Position="3" )"
                               R"(Bit="" Length="4" Mnemonic="Temp 1 "/>)"},
                              {R"(<row Data_Type="x" Eng_Unit="" Position="" Bit="" Length="" )"
                               R"(Swap="Y" SwapWord="" Mnemonic=""/>)"})));
        const bacnet::BACnet_Access_Load load = bacnet::Load_BACnet_Access(path, 2000);
        QCOMPARE(load.status, project::Load_Status::Loaded);
        QCOMPARE(load.tables[0].size(), 1);
        const BACnet_Access_Row& read = load.tables[0][0];
        QCOMPARE(read.Eng_Unit, QStringLiteral(" 62"));
        QCOMPARE(read.Mnemonic, QStringLiteral("Temp 1 "));
        QCOMPARE(read.Swap, QStringLiteral("N"));
        QCOMPARE(read.SwapWord, QStringLiteral("N"));
        QCOMPARE(load.tables[1][0].Swap, QStringLiteral("Y"));
        QCOMPARE(load.tables[1][0].SwapWord, QString());
    }

    void load_of_a_missing_file_is_empty() {
        QTemporaryDir dir;
        const bacnet::BACnet_Access_Load load =
            bacnet::Load_BACnet_Access(dir.filePath("BACnet_Slave.xml"), 2000);
        QCOMPARE(load.status, project::Load_Status::Missing);
        QVERIFY(load.tables[0].isEmpty() && load.tables[1].isEmpty());
    }

    void bad_input_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("unparsable") << QByteArray("<BACnet_to_Modbus><BACnet_in_Read>") << "line 1";
        QTest::newRow("no read table")
            << QByteArray("<BACnet_to_Modbus><BACnet_in_Write/></BACnet_to_Modbus>")
            << "table BACnet_in_Read is missing";
        QTest::newRow("no write table")
            << QByteArray("<BACnet_to_Modbus><BACnet_in_Read/></BACnet_to_Modbus>")
            << "table BACnet_in_Write is missing";
        for (const char* attribute :
             {"Data_Type", "Eng_Unit", "Position", "Bit", "Length", "Mnemonic"}) {
            QString row = Access_Row("Analog Out");
            row.remove(QRegularExpression(QString::fromLatin1(attribute) + "=\"[^\"]*\" ?"));
            QTest::addRow("write row 2 without %s", attribute)
                << Access_File({}, {Access_Row("Analog Out"), row})
                << QStringLiteral("table BACnet_in_Write, row 2: attribute %1 is missing")
                       .arg(QLatin1String(attribute));
        }
    }

    void bad_input() {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("BACnet_Slave.xml");
        QVERIFY(Write_Test_File(path, file));
        const bacnet::BACnet_Access_Load load = bacnet::Load_BACnet_Access(path, 2000);
        QCOMPARE(load.status, project::Load_Status::Failed);
        QVERIFY2(load.error.contains("BACnet_Slave.xml") && load.error.contains(error),
                 qPrintable(load.error));
    }

    void rows_beyond_the_table_are_counted() {
        QTemporaryDir dir;
        const QString path = dir.filePath("BACnet_Slave.xml");
        QVERIFY(Write_Test_File(path, Access_File(QStringList(1003, Access_Row("Analog Input")),
                                                  {Access_Row("Analog Out")})));
        const bacnet::BACnet_Access_Load load = bacnet::Load_BACnet_Access(path, 1000);
        QCOMPARE(load.tables[0].size(), 1000);
        QCOMPARE(load.dropped_rows[0], 3);
        QCOMPARE(load.dropped_rows[1], 0);
    }

    void save_writes_rows_up_to_the_first_not_in_use() {
        QTemporaryDir dir;
        const QString path = dir.filePath("BACnet_Slave.xml");
        BACnet_Access_Row first = Grid_Row("Analog Input", "0", "4");
        first.Mnemonic = QStringLiteral(" Temp ");
        first.Swap = QString();
        const Rows read{first, Grid_Row(" "), Grid_Row("Analog Value")};
        QCOMPARE(bacnet::Save_BACnet_Access(path, read, {}), QString());
        const QByteArray saved = Read_Test_File(path);
        QVERIFY2(saved.startsWith("<BACnet_to_Modbus>"), saved.constData());
        QVERIFY(saved.contains("<!--SW_VERSION = 1.002-->"));
        QVERIFY2(saved.contains(R"(<row Data_Type="Analog Input" Eng_Unit="62" Position="0" )"
                                R"(Bit="0" Length="4" Swap="" SwapWord="N" Mnemonic=" Temp " />)"),
                 saved.constData());
        QVERIFY(!saved.contains("Analog Value"));
        QVERIFY(saved.contains("<BACnet_in_Write />"));
        const bacnet::BACnet_Access_Load load = bacnet::Load_BACnet_Access(path, 2000);
        QCOMPARE(load.tables[0], (Rows{first}));
    }

    void length_presets_data() {
        QTest::addColumn<bool>("write_table");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("preset");
        QTest::newRow("write large analog value") << true << "Large Analog Value"
                                                  << "2"
                                                  << "8";
        QTest::newRow("write binary out") << true << "Binary Out"
                                          << "4"
                                          << "1";
        QTest::newRow("write access door") << true << "Access Door"
                                           << ""
                                           << "1";
        QTest::newRow("write multi state output") << true << "Multi State Output"
                                                  << ""
                                                  << "4";
        QTest::newRow("read analog input untouched") << false << "Analog Input"
                                                     << ""
                                                     << "-";
        QTest::newRow("read binary input, empty") << false << "Binary Input"
                                                  << " "
                                                  << "1";
        QTest::newRow("read binary value keeps a length") << false << "Binary Value"
                                                          << "2"
                                                          << "-";
    }

    void length_presets() {
        QFETCH(bool, write_table);
        QFETCH(QString, type);
        QFETCH(QString, length);
        QFETCH(QString, preset);
        const std::optional<QString> result = bacnet::Length_Preset(
            write_table ? Access_Table::Write : Access_Table::Read, type, length);
        QCOMPARE(result.value_or(QStringLiteral("-")), preset);
    }

    void model_check_cells_hold_text() {
        bacnet::BACnet_Access_Model model(Access_Table::Write);
        BACnet_Access_Row row = Grid_Row("Analog Out");
        row.Swap = QString();
        model.Set_Rows({row}, 2000);
        QCOMPARE(model.rowCount(), 2000);
        using Col = bacnet::BACnet_Access_Model::Column;
        const QModelIndex swap = model.index(0, Col::Col_Swap);
        QCOMPARE(swap.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(model.flags(swap).testFlag(Qt::ItemIsUserCheckable));
        QVERIFY(model.setData(swap, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(model.Rows()[0].Swap, QStringLiteral("Y"));
        QCOMPARE(model.index(4, Col::Col_Number).data().toString(), QStringLiteral("5"));
        QCOMPARE(
            model.index(0, Col::Col_Position).data(project::Choices_Role).toStringList().size(),
            1440);
        model.setData(model.index(0, Col::Col_Data_Type), "Large Analog Value", Qt::EditRole);
        model.Apply_Length_Preset(0);
        QCOMPARE(model.Rows()[0].Length, QStringLiteral("8"));
    }

    void objects_numbered_per_type_read_then_write() {
        const bacnet::Object_Numbering numbering = bacnet::Number_Objects(
            {"Analog Input", "analog value", "Foo", " Analog Input", "Analog Input"},
            {"Analog Value", "Binary Out", "Octet String"});
        QList<QList<int>> seen;
        for (const bacnet::Numbered_Object& object : numbering.objects)
            seen << QList<int>{int(object.table), object.row, object.type_index, object.instance};
        const QList<QList<int>> expected{{0, 0, 0, 0},  {0, 1, 12, 0}, {0, 4, 0, 1},
                                         {1, 0, 12, 1}, {1, 1, 3, 0},  {1, 2, 18, 0}};
        QCOMPARE(seen, expected);
        QList<int> order;
        for (const bacnet::Numbered_Object& object : numbering.Record_Order())
            order << object.type_index;
        QCOMPARE(order, (QList<int>{0, 0, 3, 12, 12, 18}));
    }
};

QTEST_GUILESS_MAIN(Test_BACnet_Access)
#include "test_bacnet_access.moc"
