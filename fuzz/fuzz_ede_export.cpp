// The EDE export: ParGen.xml and BACnet_Slave.xml (separated in the input by
// fuzz::File_Separator; an empty part is a missing file) in, the EDE file out.

#include "bacnet/ede_export.h"
#include "fuzz_support.h"
#include "project/project_paths.h"

#include <QDateTime>
#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = fuzz::Fresh_Folder(QStringLiteral("ede"));
    const QList<QByteArray> parts = fuzz::Split_Files(fuzz::Bytes(data, size), 2);
    const project::Project_Paths paths = project::Project_Paths::In_Folder(folder);
    if (!parts[0].isEmpty())
        fuzz::Write_File(paths.ParGen_File, parts[0]);
    if (!parts[1].isEmpty())
        fuzz::Write_File(paths.BACnet_Slave_File, parts[1]);
    const bacnet::EDE_Source source{paths.ParGen_File, paths.BACnet_Slave_File,
                                    QStringLiteral("Fuzz")};
    const QString output = QDir(fuzz::Scratch_Folder()).filePath(QStringLiteral("Fuzz.csv"));
    const QDateTime fixed(QDate(2026, 1, 2), QTime(3, 4, 5));
    for (const bacnet::EDE_Layout layout : {bacnet::EDE_Layout::Compact, bacnet::EDE_Layout::Full})
        (void)bacnet::Write_EDE_File(source, output, layout, fixed);
    return 0;
}
