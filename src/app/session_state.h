#pragma once

#include "lang/string_table.h"
#include "project/table_rows.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace app {

/// @brief The one record of a run: program folders, active project and its files,
/// preferences, texts and the table-row clipboard. Owned by the main window.
struct Session_State {
    QString Exe_Folder;
    QString Master_Folder;
    QString Projects_Folder;
    QString Language_Folder;

    QString Project_Name;
    QString Project_Folder; // a project is active exactly when this is not empty

    QString ParGen_File;
    QString HART_Gateway_File;
    QString HART_Variables_File;
    QString CAN_Rec_Frames_File;
    QString CAN_Send_Frames_File;
    QString BACnet_Slave_File;
    QString SDO_Server_CANopen_File;
    QString SDO_Client_CANopen_File;
    QString PDO_CANopen_File;
    QString J1939_Rec_Frames_File;
    QString J1939_Send_Frames_File;
    QString MQTT_Set_Topic_File;
    QString SNMP_Trap_File;
    QString OPC_UA_Server_File;

    QString Window_Caption;
    QString SW_Code;
    QString SW_Desc;

    QString Last_IP_Address = QStringLiteral("192.168.2.205");
    int Update_Option = 0;
    bool Read_Back = true;
    QString Language_Name = QStringLiteral("English");

    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;

    lang::String_Table String_Table;

    project::Row_Clipboard Row_Clipboard;

    /// Set when Quillon.xml existed but could not be read: the next save keeps it as .bak.
    bool Keep_Unreadable_Settings = false;

    bool Project_Active() const { return !Project_Folder.isEmpty(); }
    QString Text(int id) const { return String_Table.Text(id); }
    project::Table_Preferences Table_Preferences() const {
        return {Enable_Jump_Field_Tables, Double_Click_Auto_Size};
    }
};

inline constexpr const char* Default_SW_Code = "VX20417";
inline constexpr const char* Default_SW_Desc = "BACnet Slave / HART Master - Converter";
inline constexpr const char* Default_Window_Caption =
    "Tolmex - Configurator VX20417 - BACnet Slave / HART Master ";
inline constexpr const char* SW_Version = "1.002";

} // namespace app
