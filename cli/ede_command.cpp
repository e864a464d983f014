#include "bacnet/ede_export.h"
#include "cli/commands.h"
#include "project/project_paths.h"

#include <QDir>
#include <QFileInfo>

namespace cli {

namespace {

constexpr const char* Full_Layout_Option = "--full-layout";

void Print_Usage() {
    Print_Err(
        QStringLiteral("Usage: quillon-cli ede PROJECT_FOLDER OUTPUT_FILE [--full-layout]\n"));
}

} // namespace

int Run_Ede(const QStringList& arguments) {
    QStringList paths;
    bacnet::EDE_Layout layout = bacnet::EDE_Layout::Compact;
    bool unknown_option = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String(Full_Layout_Option))
            layout = bacnet::EDE_Layout::Full;
        else if (argument.startsWith(u'-') && argument.size() > 1)
            unknown_option = true;
        else
            paths << argument;
    }
    if (unknown_option || paths.size() != 2) {
        Print_Usage();
        return Exit_Usage;
    }
    const QString folder = paths[0];
    if (!QFileInfo(folder).isDir()) {
        Print_Err(QStringLiteral("quillon-cli: project folder %1 not found\n")
                      .arg(QDir::toNativeSeparators(folder)));
        return Exit_Failed;
    }
    const project::Project_Paths project_paths = project::Project_Paths::In_Folder(folder);
    const bacnet::EDE_Source source{project_paths.ParGen_File, project_paths.BACnet_Slave_File,
                                    QFileInfo(QDir(folder).absolutePath()).fileName()};
    const QString error = bacnet::Write_EDE_File(source, paths[1], layout);
    if (!error.isEmpty()) {
        Print_Err(QStringLiteral("quillon-cli: ede failed: %1\n").arg(error));
        return Exit_Failed;
    }
    return Exit_Ok;
}

} // namespace cli
