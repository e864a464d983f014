#include "cli/commands.h"
#include "lang/lng_template.h"
#include "project/save_file.h"

namespace cli {

int Run_Lang_Template(const QStringList& arguments) {
    if (arguments.size() > 1) {
        Print_Err(QStringLiteral("Usage: quillon-cli lang-template [FILE]\n"));
        return Exit_Usage;
    }
    const QByteArray bytes = lang::Lng_Template();
    if (arguments.isEmpty()) {
        const size_t written =
            std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        return written == static_cast<size_t>(bytes.size()) && std::fflush(stdout) == 0
                   ? Exit_Ok
                   : Exit_Failed;
    }
    const QString error = project::Save_File_Atomically(arguments.first(), bytes);
    if (!error.isEmpty()) {
        Print_Err(QStringLiteral("quillon-cli: %1\n").arg(error));
        return Exit_Failed;
    }
    return Exit_Ok;
}

} // namespace cli
