// Compile and write of the configuration image: the largest project the converter takes and
// an empty one. Prints the median time of each over many runs.

#include "image/compile_image.h"
#include "image/image_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Runs = 200;

bool Write(const QString& path, const QString& text) {
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString Object_Rows(const char* const* types, int type_count, int rows, int first_name) {
    QString xml;
    for (int i = 0; i < rows; ++i)
        xml += QStringLiteral(R"(<row Data_Type="%1" Eng_Unit="62" Position="%2" Bit="0" )"
                              R"(Length="4" Swap="N" SwapWord="N" Mnemonic="Object name %3"/>)")
                   .arg(QLatin1String(types[i % type_count]))
                   .arg(i % 1436)
                   .arg(first_name + i, 5, 10, QLatin1Char('0'));
    return xml;
}

// 2000 objects with 16-character names, 100 enabled HART rows of 250 request bytes each.
bool Write_Largest_Project(const QString& folder) {
    const QDir dir(folder);
    static const char* const Read_Types[] = {"Analog Input", "Analog Value", "Binary Input",
                                             "Multi State Input", "Accumulator"};
    static const char* const Write_Types[] = {"Analog Out", "Analog Value", "Binary Out",
                                              "Multi State Output", "Integer Value"};
    const QString bacnet = QStringLiteral("<BACnet_to_Modbus><BACnet_in_Read>") +
                           Object_Rows(Read_Types, 5, 1000, 0) +
                           QStringLiteral("</BACnet_in_Read><BACnet_in_Write>") +
                           Object_Rows(Write_Types, 5, 1000, 1000) +
                           QStringLiteral("</BACnet_in_Write></BACnet_to_Modbus>");
    QString hart = QStringLiteral("<HART><HART_Variables>");
    const QString params = QStringLiteral("A5").repeated(250);
    for (int i = 0; i < 100; ++i)
        hart += QStringLiteral(R"(<row Enable="Y" Device_Address="0x%1" Preamble_Count="5" )"
                               R"(Var_Cmd_Type="Command" Var_Cmd_Number="3" Cmd_Params="%2" )"
                               R"(Position="%3" Swap="N" ConvInt="N" Var_Operation="None" )"
                               R"(TimeOut="1000" Mnemonic="Command %4"/>)")
                    .arg(0x1000000000LL + i, 10, 16, QLatin1Char('0'))
                    .arg(params)
                    .arg(i * 4)
                    .arg(i);
    hart += QStringLiteral("</HART_Variables></HART>");
    const QString par_gen = QStringLiteral("<Par_Gen><BACnet_Type>0</BACnet_Type>"
                                           "<BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit>"
                                           "<Eth_Conn_Device_Name>converter</Eth_Conn_Device_Name>"
                                           "</Par_Gen>");
    return Write(dir.filePath("ParGen.xml"), par_gen) &&
           Write(dir.filePath("HART_Variables.xml"), hart) &&
           Write(dir.filePath("BACnet_Slave.xml"), bacnet);
}

struct Timing {
    double compile_ms;
    double total_ms; // compile and write
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool Measure(const char* name, const QString& folder, image::Image_State& state) {
    std::vector<double> compile_ms;
    std::vector<double> total_ms;
    const project::Project_Paths files = project::Project_Paths::In_Folder(folder);
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString error = image::Compile_Image(files, state);
        const qint64 compiled = timer.nsecsElapsed();
        if (error.isEmpty())
            error = image::Write_Image_Files(state, folder);
        const qint64 written = timer.nsecsElapsed();
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s: %s\n", name, qPrintable(error));
            return false;
        }
        compile_ms.push_back(compiled / 1e6);
        total_ms.push_back(written / 1e6);
    }
    std::printf("%-8s bank2 %6zu bytes  compile median %.3f ms  compile+write median %.3f ms  "
                "(%d runs)\n",
                name, state.Bank2_Length, Median(compile_ms), Median(total_ms), Runs);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QTemporaryDir largest;
    QTemporaryDir empty;
    if (!largest.isValid() || !empty.isValid() || !Write_Largest_Project(largest.path())) {
        std::fprintf(stderr, "cannot prepare the projects\n");
        return 1;
    }
    const auto state = std::make_unique<image::Image_State>();
    const bool ok =
        Measure("largest", largest.path(), *state) && Measure("empty", empty.path(), *state);
    return ok ? 0 : 1;
}
