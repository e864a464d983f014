// BACnet_Slave.xml: read as the BACnet access dialog shows it, validated as its OK and the
// project check do, and saved back; what the dialog saves must read back.

#include "bacnet/bacnet_access.h"
#include "fuzz_support.h"
#include "lang/string_table.h"
#include "project/project_paths.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = fuzz::Fresh_Folder(QStringLiteral("bacnet"));
    const QString path =
        QDir(folder).filePath(QString::fromLatin1(project::BACnet_Slave_File_Name));
    fuzz::Write_File(path, fuzz::Bytes(data, size));

    (void)bacnet::Check_BACnet_Access_Project(folder);
    const bacnet::BACnet_Access_Load load =
        bacnet::Load_BACnet_Access(path, bacnet::Table_Rows(false));
    if (load.status != project::Load_Status::Loaded)
        return 0;
    static const lang::String_Table texts;
    (void)bacnet::Check_BACnet_Access(load.tables[0], load.tables[1], false, texts);
    if (!bacnet::Save_BACnet_Access(path, load.tables[0], load.tables[1]).isEmpty())
        fuzz::Property_Broken("the tables read from the file could not be saved");
    if (bacnet::Load_BACnet_Access(path, bacnet::Table_Rows(false)).status !=
        project::Load_Status::Loaded)
        fuzz::Property_Broken("a saved BACnet_Slave.xml cannot be read back");
    return 0;
}
