#pragma once

#include <QString>

namespace project {

/// @brief Where a project keeps its files: the three project files and, in its `bin`
/// sub-folder, the two bank files of the configuration image the updater sends.
/// Every reader, check, compile and the session build their paths here.
struct Project_Paths {
    QString Folder;
    QString ParGen_File;
    QString HART_Variables_File;
    QString BACnet_Slave_File;
    QString Bin_Folder;
    QString Bank1_File;
    QString Bank2_File;

    static Project_Paths In_Folder(const QString& folder);
};

inline constexpr const char* ParGen_File_Name = "ParGen.xml";
inline constexpr const char* HART_Variables_File_Name = "HART_Variables.xml";
inline constexpr const char* BACnet_Slave_File_Name = "BACnet_Slave.xml";
inline constexpr const char* Bin_Folder_Name = "bin";
inline constexpr const char* Bank1_File_Name = "bank1.bin";
inline constexpr const char* Bank2_File_Name = "bank2.bin";

} // namespace project
