#include "project/project_paths.h"

#include <QDir>

namespace project {

Project_Paths Project_Paths::In_Folder(const QString& folder) {
    const QDir dir(folder);
    const auto file = [&dir](const char* name) { return dir.filePath(QLatin1String(name)); };
    Project_Paths paths;
    paths.Folder = folder;
    paths.ParGen_File = file(ParGen_File_Name);
    paths.HART_Variables_File = file(HART_Variables_File_Name);
    paths.BACnet_Slave_File = file(BACnet_Slave_File_Name);
    paths.Bin_Folder = file(Bin_Folder_Name);
    const QDir bin(paths.Bin_Folder);
    paths.Bank1_File = bin.filePath(QLatin1String(Bank1_File_Name));
    paths.Bank2_File = bin.filePath(QLatin1String(Bank2_File_Name));
    return paths;
}

} // namespace project
