#include "cli/commands.h"
#include "lang/string_table.h"

#include <QDir>
#include <QFileInfo>

namespace cli {

int Run_Strings(const QStringList& arguments) {
    if (arguments.size() > 1) {
        Print_Err(QStringLiteral("Usage: quillon-cli strings [LANGUAGE_FILE]\n"));
        return Exit_Usage;
    }
    lang::String_Table table;
    if (arguments.size() == 1) {
        const QString& path = arguments.first();
        if (!QFileInfo(path).isFile() || !table.Load_Lng_File(path)) {
            Print_Err(QStringLiteral("quillon-cli: cannot read language file %1\n")
                          .arg(QDir::toNativeSeparators(path)));
            return Exit_Failed;
        }
    }
    QString out;
    for (int id = 0; id < table.Count(); ++id)
        out += QString::number(id) + u'\t' + table.Text(id) + u'\n';
    Print_Out(out);
    return Exit_Ok;
}

} // namespace cli
