#pragma once

#include <pugixml.hpp>

#include <QString>
#include <QStringList>

namespace image {

/// What the update sends: the order of the update dialog's options list.
enum Update_Option_Index {
    Firmware_And_Configuration = 0,
    Firmware_Only = 1,
    Configuration_Only = 2,
};

/// BACnet type of the project's communication settings that selects the MS/TP protection.
inline constexpr int BACnet_Type_MSTP = 1;

/// @brief Everything the updater's script depends on.
struct Update_Script_Values {
    QString IP_Address; // as typed, e.g. "192.168.2.205"
    int Update_Option = Firmware_And_Configuration;
    bool Read_Back = true;
    int BACnet_Type = 0;    // 0 BACnet/IP, 1 BACnet MS/TP
    QString Master_Folder;  // firmware and web-pages images shipped with the program
    QString Project_Folder; // its bin folder holds the two bank files
};

/// "Ethernet_Update.xml" in @p exe_folder.
QString Update_Script_File(const QString& exe_folder);

/// @brief The files the chosen operations send, in operation order: firmware and web pages
/// for the firmware options, the two bank files for the configuration options. Absolute paths
/// with the platform's separators, exactly as the script names them.
QStringList Update_Operation_Files(const Update_Script_Values& values);

/// Builds the updater's script from scratch into @p doc (no declaration, no comment).
void Build_Update_Script(pugi::xml_document& doc, const Update_Script_Values& values);

/// @brief Writes "Ethernet_Update.xml" into @p exe_folder atomically, replacing the old one.
/// Empty text on success, else the message to show.
QString Compile_XML_Parameter_New_Boot(const Update_Script_Values& values,
                                       const QString& exe_folder);

} // namespace image
