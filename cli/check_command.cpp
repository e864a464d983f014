#include "bacnet/bacnet_access.h"
#include "cli/commands.h"
#include "comm/pargen_validation.h"
#include "hart/hart_variables.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace cli {

namespace {

/// One file's OK validation: the first failing message (or the file's parse error), empty
/// when it passes or the file is missing.
using Project_Check = QString (*)(const QString& project_folder);

// In the order of the steps: communication settings, HART variables, BACnet access.
constexpr auto Project_Checks = std::to_array<Project_Check>({
    comm::Check_Communication_Settings,
    hart::Check_HART_Variables_Project,
    bacnet::Check_BACnet_Access_Project,
});

} // namespace

int Run_Check(const QStringList& arguments) {
    if (arguments.size() != 1) {
        Print_Err(QStringLiteral("Usage: quillon-cli check PROJECT_FOLDER\n"));
        return Exit_Usage;
    }
    const QString& folder = arguments.first();
    if (!QFileInfo(folder).isDir()) {
        Print_Err(QStringLiteral("quillon-cli: no project folder %1\n")
                      .arg(QDir::toNativeSeparators(folder)));
        return Exit_Failed;
    }
    for (const Project_Check check : Project_Checks) {
        const QString message = check(folder);
        if (!message.isEmpty()) {
            Print_Out(message + u'\n');
            return Exit_Failed;
        }
    }
    return Exit_Ok;
}

} // namespace cli
