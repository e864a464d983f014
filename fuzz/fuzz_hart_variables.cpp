// HART_Variables.xml: read as the HART variables dialog shows it, validated as its OK and the
// project check do, and saved back; what the dialog saves must read back.

#include "fuzz_support.h"
#include "hart/hart_variables.h"
#include "lang/string_table.h"
#include "project/project_paths.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = fuzz::Fresh_Folder(QStringLiteral("hart"));
    const QString path =
        QDir(folder).filePath(QString::fromLatin1(project::HART_Variables_File_Name));
    fuzz::Write_File(path, fuzz::Bytes(data, size));

    (void)hart::Check_HART_Variables_Project(folder);
    const hart::HART_Variables_Load load = hart::Load_HART_Variables(path);
    if (load.status != project::Load_Status::Loaded)
        return 0;
    static const lang::String_Table texts;
    (void)hart::Check_HART_Variables(load.rows, texts);
    if (!hart::Save_HART_Variables(path, load.rows).isEmpty())
        fuzz::Property_Broken("the rows read from the file could not be saved");
    const hart::HART_Variables_Load again = hart::Load_HART_Variables(path);
    if (again.status != project::Load_Status::Loaded)
        fuzz::Property_Broken("a saved HART_Variables.xml cannot be read back");
    return 0;
}
