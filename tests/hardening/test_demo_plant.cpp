// The demo project that a first start copies into PROJECTS: it checks, compiles, exports and opens
// in the dialogs without a single complaint.

#include "../cli/cli_runner.h"
#include "app/settings.h"
#include "comm/pargen_dialog.h"
#include "hart/hart_reference.h"
#include "hart/hart_variables.h"
#include "hart/hart_variables_dialog.h"
#include "hostile_files.h"
#include "plant.h"
#include "support/scripted_prompt.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class Test_Demo_Plant : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void Checks_And_Compiles_Clean();
    void Opens_And_Validates_In_The_Dialogs();
    void HART_Table_Polls_The_Simulator_Plant();

private:
    QTemporaryDir dir_;
    QString folder_;
};

void Test_Demo_Plant::init() {
    folder_ = dir_.filePath(QStringLiteral("PROJECTS/Demo Plant"));
    QDir(folder_).removeRecursively();
    QVERIFY(Copy_Demo_Plant(folder_));
}

void Test_Demo_Plant::Checks_And_Compiles_Clean() {
    const Cli_Result check = Run_Cli({QStringLiteral("check"), folder_});
    QCOMPARE(check.exit_code, 0);
    QCOMPARE(check.out, QByteArray());
    const Cli_Result compile = Run_Cli({QStringLiteral("compile"), folder_});
    QVERIFY2(compile.exit_code == 0, compile.err.constData());
    QCOMPARE(QFileInfo(QDir(folder_).filePath(QStringLiteral("bin/bank1.bin"))).size(), 2048);
    QVERIFY(QFileInfo(QDir(folder_).filePath(QStringLiteral("bin/bank2.bin"))).size() > 0);
    const QString ede_file = dir_.filePath(QStringLiteral("Demo Plant.csv"));
    const Cli_Result ede = Run_Cli({QStringLiteral("ede"), folder_, ede_file});
    QVERIFY2(ede.exit_code == 0, ede.err.constData());
    QVERIFY(QFileInfo(ede_file).size() > 0);
}

void Test_Demo_Plant::Opens_And_Validates_In_The_Dialogs() {
    app::Session_State state;
    state.Project_Folder = folder_;
    app::Set_Files(state);
    Scripted_Prompt prompt;

    comm::TFParGen pargen(state, prompt);
    QString error;
    QVERIFY2(pargen.FormShow(error), qPrintable(error));
    QVERIFY(pargen.Controllo_Dati());

    hart::TFHARTVariables hart(state, prompt);
    QVERIFY(hart.FormShow());
    QVERIFY(hart.Controllo_dati());
    QVERIFY2(prompt.errors.isEmpty(), qPrintable(prompt.errors.join(u'\n')));
}

void Test_Demo_Plant::HART_Table_Polls_The_Simulator_Plant() {
    const hart::HART_Variables_Load load =
        hart::Load_HART_Variables(QDir(folder_).filePath(QStringLiteral("HART_Variables.xml")));
    QCOMPARE(load.status, project::Load_Status::Loaded);
    QSet<quint64> polled_devices;
    for (const hart::HART_Variable_Row& row : load.rows) {
        const std::optional<qint64> address = hart::Parse_HART_Address(row.Device_Address);
        QVERIFY(address);
        const auto plant = sim::Built_In_Plant();
        const auto device = std::find_if(plant.begin(), plant.end(), [&](const auto& device) {
            return device.long_address == quint64(*address);
        });
        QVERIFY2(device != plant.end(), qPrintable(row.Device_Address));
        QCOMPARE(row.Preamble_Count, QString::number(device->preamble));
        const int code = row.Var_Cmd_Number.toInt();
        QVERIFY(std::any_of(
            device->variables.begin(), device->variables.end(),
            [&](const sim::Plant_Variable& variable) { return variable.code == code; }));
        // The mnemonic the scan import would have written.
        QCOMPARE(row.Mnemonic,
                 device->name + QStringLiteral(" - ") + hart::Slot_Name(quint8(code)).text);
        polled_devices.insert(device->long_address);
    }
    QCOMPARE(polled_devices.size(), sim::Built_In_Plant().size());
}

QTEST_MAIN(Test_Demo_Plant)
#include "test_demo_plant.moc"
