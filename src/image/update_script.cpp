#include "image/update_script.h"

#include "image/image_files.h"
#include "project/project_paths.h"
#include "project/xml_file.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace image {

namespace {

constexpr const char* Firmware_File = "Sim20417.sim";
constexpr const char* Web_Pages_File = "web_files_hart.bin";
constexpr const char* Boot_Port = "2008";
constexpr const char* Boot_Port_Sec = "2007";

/// What differs between the operations of the script.
struct Operation {
    QString file;
    const char* start_address;
    const char* bank_type;
    bool write_css;
};

QString Native_Absolute(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

QString In_Folder(const QString& folder, const char* file_name) {
    return Native_Absolute(QDir(folder).filePath(QString::fromLatin1(file_name)));
}

bool Sends_Firmware(int option) {
    return option == Firmware_And_Configuration || option == Firmware_Only;
}

bool Sends_Configuration(int option) {
    return option == Firmware_And_Configuration || option == Configuration_Only;
}

std::vector<Operation> Operations(const Update_Script_Values& values) {
    std::vector<Operation> operations;
    if (Sends_Firmware(values.Update_Option)) {
        operations.push_back({In_Folder(values.Master_Folder, Firmware_File), "0x8000", "1", true});
        operations.push_back(
            {In_Folder(values.Master_Folder, Web_Pages_File), "0xC0000", "1", false});
    }
    if (Sends_Configuration(values.Update_Option)) {
        operations.push_back(
            {Native_Absolute(project::Project_Paths::In_Folder(values.Project_Folder).Bank1_File),
             "0x07000", "2", false});
        operations.push_back(
            {Native_Absolute(project::Project_Paths::In_Folder(values.Project_Folder).Bank2_File),
             "0x80000", "2", false});
    }
    return operations;
}

void Add(pugi::xml_node parent, const char* name, const char* text) {
    parent.append_child(name).text().set(text);
}

void Add_Operation(pugi::xml_node operations, const Operation& operation, bool read_back,
                   bool last) {
    pugi::xml_node node = operations.append_child("Operation");
    Add(node, "Ope_Protection_Enabled", "");
    Add(node, "Ope_GoToBoot_Before", "0");
    Add(node, "Ope_GoToApp_Before", "0");
    Add(node, "Ope_IP_Address", "");
    Add(node, "Ope_Port", Boot_Port);
    Add(node, "Ope_Port_Sec", Boot_Port_Sec);
    Add(node, "Ope_Erase_Memory", "0");
    project::Add_Text_Child(node, "Ope_FileName", operation.file);
    Add(node, "Ope_Start_Address", operation.start_address);
    Add(node, "Ope_Memory_Type", "0");
    Add(node, "Ope_Bank_Type", operation.bank_type);
    Add(node, "Ope_Read_Back", read_back ? "1" : "0");
    Add(node, "Ope_Write_CSS", operation.write_css ? "1" : "0");
    Add(node, "Ope_Address_CSS", "0x07A00");
    Add(node, "Ope_Command_CSS", "0x02");
    Add(node, "Ope_Write_Internal_Data", "0");
    Add(node, "Ope_WID_Address", "0x07810");
    Add(node, "Ope_WID_Command", "0x02");
    Add(node, "Ope_WID_Data", "0x00, 0x00, 0x00, 0x01");
    // The converter returns to its application only after the last transfer.
    Add(node, "Ope_GoToApp_After", last ? "1" : "0");
}

} // namespace

QString Update_Script_File(const QString& exe_folder) {
    return QDir(exe_folder).filePath(QStringLiteral("Ethernet_Update.xml"));
}

QStringList Update_Operation_Files(const Update_Script_Values& values) {
    QStringList files;
    for (const Operation& operation : Operations(values))
        files << operation.file;
    return files;
}

void Build_Update_Script(pugi::xml_document& doc, const Update_Script_Values& values) {
    doc.reset();
    pugi::xml_node root = doc.append_child("Ethernet_Update");
    Add(root, "Version", "1000");
    Add(root, "Title", "Tolmex - VX20417 Ethernet Update");
    project::Add_Text_Child(root, "IP_Address_Dev", values.IP_Address);
    Add(root, "Application_Port", "10000");
    Add(root, "Boot_Port", Boot_Port);
    Add(root, "Boot_Port_Sec", Boot_Port_Sec);
    Add(root, "Address_Protection", "0x07800");
    Add(root.append_child("Protections"), "Protection",
        values.BACnet_Type == BACnet_Type_MSTP ? "0x201" : "0x200");
    pugi::xml_node operations = root.append_child("Operations");
    const std::vector<Operation> list = Operations(values);
    for (size_t i = 0; i < list.size(); ++i)
        Add_Operation(operations, list[i], values.Read_Back, i + 1 == list.size());
}

QString Compile_XML_Parameter_New_Boot(const Update_Script_Values& values,
                                       const QString& exe_folder) {
    pugi::xml_document doc;
    Build_Update_Script(doc, values);
    return project::Save_Xml_File(doc, Update_Script_File(exe_folder));
}

} // namespace image
