// The HART grid's model without a window: what the grid shows, edits and refuses.

#include "hart/hart_variables_model.h"
#include "lang/string_table.h"
#include "project/grid_roles.h"

#include <QSignalSpy>
#include <QTest>

using Model = hart::HART_Variables_Model;

class Test_HART_Variables_Model : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shape_and_row_numbers() {
        Model model;
        QCOMPARE(model.rowCount(), 100);
        QCOMPARE(model.columnCount(), 13);
        QCOMPARE(model.index(0, Model::Col_Number).data().toString(), QStringLiteral("1"));
        QCOMPARE(model.index(99, Model::Col_Number).data().toString(), QStringLiteral("100"));
        QVERIFY(!model.flags(model.index(0, Model::Col_Number)).testFlag(Qt::ItemIsEditable));
        model.Set_Lang(lang::String_Table());
        QVERIFY(!model.headerData(Model::Col_Mnemonic, Qt::Horizontal, Qt::DisplayRole)
                     .toString()
                     .isEmpty());
    }

    void rows_round_trip_and_empty_rows() {
        Model model;
        hart::HART_Variable_Row row;
        row.Enable = false;
        row.Device_Address = QStringLiteral("0x1A");
        row.Var_Cmd_Type = QStringLiteral("Var Burst");
        row.Swap = true;
        row.Mnemonic = QStringLiteral("TT 101");
        model.Set_Rows({row});
        QCOMPARE(model.Rows().first(), row);
        // Rows the file did not fill are empty grid rows: enabled, boxes unchecked.
        QCOMPARE(model.Rows().at(1), hart::HART_Variable_Row());
        QCOMPARE(model.index(0, Model::Col_Enable).data(Qt::CheckStateRole).toInt(),
                 int(Qt::Unchecked));
        QCOMPARE(model.index(0, Model::Col_Swap).data(Qt::CheckStateRole).toInt(),
                 int(Qt::Checked));
        QCOMPARE(model.index(0, Model::Col_Swap).data(Qt::EditRole).toString(), QString());
    }

    void edits_reach_the_rows_and_signal_one_cell() {
        Model model;
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        const QModelIndex mnemonic = model.index(4, Model::Col_Mnemonic);
        QVERIFY(model.setData(mnemonic, QStringLiteral("PT 7"), Qt::EditRole));
        QCOMPARE(model.Row(4).Mnemonic, QStringLiteral("PT 7"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex(), mnemonic);
        QCOMPARE(changed.first().at(1).toModelIndex(), mnemonic);
        QVERIFY(
            model.setData(model.index(4, Model::Col_Conv_Int), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(model.Row(4).Conv_Int);
        QVERIFY(!model.setData(mnemonic, 1, Qt::DecorationRole));
    }

    void read_only_rule_follows_the_type() {
        Model model;
        const auto read_only = [&model](int column) {
            return model.index(0, column).data(project::Read_Only_Role).toBool();
        };
        QVERIFY(read_only(Model::Col_Params));
        QVERIFY(!read_only(Model::Col_Operations));
        model.setData(model.index(0, Model::Col_Type), QStringLiteral("Command"), Qt::EditRole);
        // Writing a text never moves the marks; only the rule does.
        QVERIFY(read_only(Model::Col_Params));
        model.Apply_Read_Only_Rule(0);
        QVERIFY(!read_only(Model::Col_Params));
        for (int column : {Model::Col_Swap, Model::Col_Conv_Int, Model::Col_Operations}) {
            QVERIFY(read_only(column));
            QVERIFY(!model.flags(model.index(0, column)).testFlag(Qt::ItemIsEditable));
        }
        QVERIFY(model.flags(model.index(0, Model::Col_Swap)).testFlag(Qt::ItemIsUserCheckable));
    }

    void choice_columns_offer_their_fixed_lists() {
        Model model;
        QCOMPARE(model.index(0, Model::Col_Type).data(project::Choices_Role).toStringList(),
                 (QStringList{"Var", "Var Burst", "Command"}));
        QCOMPARE(
            model.index(0, Model::Col_Operations).data(project::Choices_Role).toStringList().size(),
            7);
        QVERIFY(model.index(0, Model::Col_Mnemonic)
                    .data(project::Choices_Role)
                    .toStringList()
                    .isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_HART_Variables_Model)
#include "test_hart_variables_model.moc"
