// The BACnet access dialog with full tables (2000 read and 2000 write rows): showing it,
// validating and saving, and the EDE export of the same project. Prints the median time of
// each and the target it must stay under on this machine class.

#include "app/session_state.h"
#include "bacnet/bacnet_access.h"
#include "bacnet/bacnet_access_dialog.h"
#include "bacnet/bacnet_access_model.h"
#include "bacnet/ede_export.h"
#include "project/user_prompt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 30;

class Silent_Prompt final : public project::User_Prompt {
public:
    int errors = 0;
    void Error(const QString&) override { ++errors; }
    void Information(const QString&) override {}
    void Warning(const QString&) override {}
    bool Ask_Yes_No(const QString&) override { return true; }
};

bool Write(const QString& path, const QString& text) {
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString Rows(const char* const* types, int type_count, int first_name) {
    QString xml;
    for (int i = 0; i < 2000; ++i)
        xml += QStringLiteral(R"(<row Data_Type="%1" Eng_Unit="62" Position="%2" Bit="0" )"
                              R"(Length="1" Swap="N" SwapWord="Y" Mnemonic="Object name %3"/>)")
                   .arg(QLatin1String(types[i % type_count]))
                   .arg(i % 1436)
                   .arg(first_name + i, 5, 10, QLatin1Char('0'));
    return xml;
}

// Both tables full. Every row passes its checks; only the final count of 4000 objects exceeds
// the 2000 the converter takes, so the validation visits every row before it answers.
bool Write_Project(const QString& folder) {
    static const char* const Read_Types[] = {"Analog Input", "Analog Value", "Binary Input",
                                             "Multi State Input", "Accumulator"};
    static const char* const Write_Types[] = {"Analog Out", "Analog Value", "Binary Out",
                                              "Multi State Output", "Integer Value"};
    const QDir dir(folder);
    return Write(dir.filePath("ParGen.xml"),
                 QStringLiteral("<Par_Gen><BACnet_DEV_IDE>7</BACnet_DEV_IDE></Par_Gen>")) &&
           Write(dir.filePath("BACnet_Slave.xml"),
                 QStringLiteral("<BACnet_to_Modbus><BACnet_in_Read>") + Rows(Read_Types, 5, 0) +
                     QStringLiteral("</BACnet_in_Read><BACnet_in_Write>") +
                     Rows(Write_Types, 5, 2000) +
                     QStringLiteral("</BACnet_in_Write></BACnet_to_Modbus>"));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* name, const std::vector<double>& ms, double target_ms) {
    const double median = Median(ms);
    std::printf("%-22s median %8.3f ms  target %5.1f ms  %s\n", name, median, target_ms,
                median < target_ms ? "ok" : "OVER");
}

double Time_Ms(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid() || !Write_Project(folder.path())) {
        std::fprintf(stderr, "cannot prepare the project\n");
        return 1;
    }
    const QDir dir(folder.path());
    app::Session_State state;
    state.SW_Code = QString::fromLatin1(app::Default_SW_Code);
    state.ParGen_File = dir.filePath("ParGen.xml");
    state.BACnet_Slave_File = dir.filePath("BACnet_Slave.xml");
    Silent_Prompt prompt;
    bacnet::TFBACnetSlaveSetAccess dialog(state, prompt);

    std::vector<double> show_ms;
    std::vector<double> save_ms;
    std::vector<double> export_ms;
    const QString saved = dir.filePath("Saved_BACnet_Slave.xml");
    const bacnet::EDE_Source source{state.ParGen_File, state.BACnet_Slave_File,
                                    QStringLiteral("Plant")};
    for (int run = 0; run < Runs; ++run) {
        show_ms.push_back(Time_Ms([&] {
            dialog.FormShow();
            dialog.show();
            QApplication::processEvents();
        }));
        const QList<bacnet::BACnet_Access_Row> read_rows =
            dialog.Model(bacnet::Access_Table::Read).Rows();
        const QList<bacnet::BACnet_Access_Row> write_rows =
            dialog.Model(bacnet::Access_Table::Write).Rows();
        save_ms.push_back(Time_Ms([&] {
            const QString failure =
                bacnet::Check_BACnet_Access(read_rows, write_rows, false, state.String_Table);
            if (failure != state.Text(1359) + QStringLiteral("2000"))
                ++prompt.errors;
            if (!bacnet::Save_BACnet_Access(saved, read_rows, write_rows).isEmpty())
                ++prompt.errors;
        }));
        dialog.hide();
        export_ms.push_back(Time_Ms([&] {
            if (!bacnet::Write_EDE_File(source, dir.filePath("objects.csv"),
                                        bacnet::EDE_Layout::Compact)
                     .isEmpty())
                ++prompt.errors;
        }));
    }
    if (prompt.errors > 0 || dialog.Model(bacnet::Access_Table::Read).Rows()[1999].Mnemonic !=
                                 QStringLiteral("Object name 01999")) {
        std::fprintf(stderr, "the benchmark project did not load, validate or save\n");
        return 1;
    }
    std::printf("BACnet access with 2000 + 2000 rows, EDE export of 4000 objects (%d runs)\n",
                Runs);
    Report("show dialog", show_ms, 100);
    Report("validate and save", save_ms, 50);
    Report("EDE export", export_ms, 20);
    return 0;
}
