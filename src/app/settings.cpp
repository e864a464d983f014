#include "app/settings.h"

#include "app/projects.h"
#include "project/project_paths.h"
#include "project/xml_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace app {

namespace {

QString Sub_Folder(const QString& parent, const char* name) {
    return QDir(parent).filePath(QString::fromLatin1(name));
}

void Make_Folder(const QString& path) {
    // One level only; a failure shows later, where something is written into it.
    QDir().mkdir(path);
}

void Reset_Settings(Session_State& state) {
    state.Project_Name.clear();
    state.Project_Folder.clear();
    state.Last_IP_Address = QStringLiteral("192.168.2.205");
    state.Language_Name = QStringLiteral("English");
    state.Enable_Internet = false;
    state.Enable_Update = false;
    state.Enable_Jump_Field_Tables = false;
    state.Double_Click_Auto_Size = false;
}

// Main window texts about the settings file.
enum Settings_Text {
    Str_Settings_Unreadable = 60,
    Str_Settings_Kept = 61,
    Str_Settings_Not_Kept = 62,
};

QString Flag_Text(bool flag) {
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString Settings_File(const Session_State& state) {
    return Sub_Folder(state.Exe_Folder, "Quillon.xml");
}

void Init_Folders(Session_State& state, const QString& exe_folder) {
    state.Exe_Folder = QDir::cleanPath(exe_folder);
    state.Master_Folder = Sub_Folder(state.Exe_Folder, "MASTER");
    Make_Folder(state.Master_Folder);
    state.Projects_Folder = Sub_Folder(state.Exe_Folder, "PROJECTS");
    Make_Folder(state.Projects_Folder);
    state.Language_Folder = Sub_Folder(state.Exe_Folder, "LANGUAGE");
    Make_Folder(state.Language_Folder);
}

QString Load_Settings(Session_State& state) {
    Reset_Settings(state);
    pugi::xml_document doc;
    QString error;
    switch (project::Load_Xml_File(Settings_File(state), doc, error)) {
    case project::Load_Status::Missing:
        return {};
    case project::Load_Status::Failed:
        state.Keep_Unreadable_Settings = true;
        return error;
    case project::Load_Status::Loaded:
        break;
    }
    using project::Child;
    const pugi::xml_node root = project::Root_Node(doc);
    state.Project_Name = project::Child_Text(Child(root, "lastproj"), "projectname", {});
    // A name the New dialog would refuse (a path, "..") is no last project: it could open a
    // folder outside PROJECTS.
    if (Escapes_Projects_Folder(state.Project_Name))
        state.Project_Name.clear();
    state.Last_IP_Address =
        project::Child_Text(Child(root, "lastipadd"), "ipaddress", QStringLiteral("192.168.2.205"));
    state.Language_Name =
        project::Child_Text(Child(root, "lastlang"), "language", QStringLiteral("English"));
    const pugi::xml_node flags = Child(root, "lastinternet");
    state.Enable_Internet = project::Child_Flag(flags, "enable_internet");
    state.Enable_Update = project::Child_Flag(flags, "enable_update");
    state.Enable_Jump_Field_Tables = project::Child_Flag(flags, "enable_jump_field_tables");
    state.Double_Click_Auto_Size = project::Child_Flag(flags, "Double_Click_Auto_Size");
    return {};
}

QString Save_Setting(Session_State& state) {
    const QString path = Settings_File(state);
    if (state.Keep_Unreadable_Settings) {
        const QString backup = path + QStringLiteral(".bak");
        QFile::remove(backup);
        if (!QFile::copy(path, backup) && QFileInfo::exists(path))
            return state.Text(Str_Settings_Not_Kept) + QDir::toNativeSeparators(backup);
        state.Keep_Unreadable_Settings = false;
    }
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Conf_Settings");
    project::Add_Text_Child(root.append_child("lastproj"), "projectname", state.Project_Name);
    project::Add_Text_Child(root.append_child("lastipadd"), "ipaddress", state.Last_IP_Address);
    project::Add_Text_Child(root.append_child("lastlang"), "language", state.Language_Name);
    pugi::xml_node flags = root.append_child("lastinternet");
    project::Add_Text_Child(flags, "enable_internet", Flag_Text(state.Enable_Internet));
    project::Add_Text_Child(flags, "enable_update", Flag_Text(state.Enable_Update));
    project::Add_Text_Child(flags, "enable_jump_field_tables",
                            Flag_Text(state.Enable_Jump_Field_Tables));
    project::Add_Text_Child(flags, "Double_Click_Auto_Size",
                            Flag_Text(state.Double_Click_Auto_Size));
    return project::Save_Xml_File(doc, path);
}

void Set_Files(Session_State& state) {
    const auto file = [&state](const char* name) {
        return state.Project_Folder + u'/' + QString::fromLatin1(name);
    };
    const project::Project_Paths paths = project::Project_Paths::In_Folder(state.Project_Folder);
    state.ParGen_File = paths.ParGen_File;
    state.HART_Gateway_File = file("HART_Gateway.xml");
    state.HART_Variables_File = paths.HART_Variables_File;
    state.CAN_Rec_Frames_File = file("CAN_Rec_Frames.xml");
    state.CAN_Send_Frames_File = file("CAN_Send_Frames.xml");
    state.BACnet_Slave_File = paths.BACnet_Slave_File;
    state.SDO_Server_CANopen_File = file("SDO_Server_CANopen.xml");
    state.SDO_Client_CANopen_File = file("SDO_Client_CANopen.xml");
    state.PDO_CANopen_File = file("PDO_CANopen.xml");
    state.J1939_Rec_Frames_File = file("J1939_Rec_Frames.xml");
    state.J1939_Send_Frames_File = file("J1939_Send_Frames.xml");
    state.MQTT_Set_Topic_File = file("MQTT_Set_Topic.xml");
    state.SNMP_Trap_File = file("SNMP_Trap.xml");
    state.OPC_UA_Server_File = file("OPC_UA_Server.xml");
}

void Reopen_Last_Project(Session_State& state) {
    const QString folder = QDir(state.Projects_Folder).filePath(state.Project_Name);
    const bool exists = !state.Project_Name.isEmpty() && QFileInfo(folder).isDir();
    state.Project_Folder = exists ? folder : QString();
}

QString Start_Session(Session_State& state, const QString& exe_folder) {
    Init_Folders(state, exe_folder);
    state.Project_Name.clear();
    state.Read_Back = true;
    const QString unreadable = Load_Settings(state);
    state.Window_Caption = QString::fromLatin1(Default_Window_Caption);
    state.SW_Code = QString::fromLatin1(Default_SW_Code);
    state.SW_Desc = QString::fromLatin1(Default_SW_Desc);
    lang::Load_Language(state.String_Table, state.Language_Folder, state.Language_Name);
    // The warning waits for the texts, so that it reads in the chosen language.
    const QString warning = unreadable.isEmpty()
                                ? QString()
                                : state.Text(Str_Settings_Unreadable) + u'\n' + unreadable + u'\n' +
                                      state.Text(Str_Settings_Kept);
    Reopen_Last_Project(state);
    Set_Files(state);
    state.Row_Clipboard.Clear();
    return warning;
}

} // namespace app
