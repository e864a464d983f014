// Language files: any bytes, read by the loader the options dialog and the start-up use.

#include "fuzz_support.h"
#include "lang/string_table.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = fuzz::Fresh_Folder(QStringLiteral("lng"));
    fuzz::Write_File(QDir(folder).filePath(QStringLiteral("Test.lng")), fuzz::Bytes(data, size));
    static lang::String_Table table;
    QString language = QStringLiteral("Test");
    lang::Load_Language(table, folder, language);
    if (table.Count() != lang::String_Table::String_Count)
        fuzz::Property_Broken("the string table lost or gained entries");
    return 0;
}
