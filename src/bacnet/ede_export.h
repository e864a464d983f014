#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace lang {
class String_Table;
}

namespace project {
class User_Prompt;
}

namespace bacnet {

/// One object line of the EDE file, every field a text.
struct TBACnet_EDE_Obj {
    QString Keyname;        // device instance, "_", the whole Mnemonic, "_", object instance
    QString DevObjInstance; // the same for every object
    QString ObjectName;     // the Mnemonic cut to 16 or 32 characters
    QString ObjectType;     // the standard's object type number
    QString ObjectInstance;
    QString Description; // as ObjectName
    QString UnitCode;    // the Eng_Unit attribute as it stands
};

/// What the export reads from `ParGen.xml`.
struct EDE_Settings {
    QString Device_Instance;  // empty when the file or the element is missing
    bool Desc_Lenght = false; // 32-character names
};

/// The compact layout is what the converter's tools always wrote; the full layout adds the
/// standard's other columns, empty, for tools that read the columns by position.
enum class EDE_Layout { Compact, Full };

/// The project files and names one export works from.
struct EDE_Source {
    QString ParGen_File;
    QString BACnet_Slave_File;
    QString Project_Name;
};

/// @brief Reads the export settings: the device instance of the chosen BACnet type
/// (`BACnet_Ser_DEV_IDE` for MS/TP, type 1, else `BACnet_DEV_IDE`) and the
/// description-length option. A missing file gives the defaults; one that cannot be read
/// gives an error to show.
QString Read_EDE_Settings(const QString& par_gen_path, EDE_Settings& settings);

/// @brief The objects of both tables, read rows first, each with the next instance of its type.
/// Rows whose Data_Type names no type the converter knows are left out, as the compile
/// leaves them out. A missing `BACnet_Slave.xml` gives no object.
QString Collect_EDE_Objects(const QString& bacnet_slave_path, const EDE_Settings& settings,
                            QList<TBACnet_EDE_Obj>& objects);

/// The file's bytes: the seven header lines, then one line per object, every line ended by
/// CR LF, 8-bit text.
QByteArray EDE_File_Bytes(const QString& project_name, const QDateTime& now,
                          const QList<TBACnet_EDE_Obj>& objects, EDE_Layout layout);

/// @brief Writes the EDE file of the project to @p output, replacing it atomically.
/// Empty on success, else the message to show; nothing is written then.
QString Write_EDE_File(const EDE_Source& source, const QString& output, EDE_Layout layout,
                       const QDateTime& now = QDateTime::currentDateTime());

/// @brief The export step after the save dialog: the ".csv" rule, the overwrite question
/// (Yes, No and Cancel; only Yes writes), then the file. A failure goes to the error box.
/// True when the file was written.
bool Export_EDE_Step(const EDE_Source& source, const QString& chosen, EDE_Layout layout,
                     project::User_Prompt& prompt, const lang::String_Table& texts);

/// The name chosen in the save dialog with ".csv" appended unless it already ends so (any case).
QString EDE_File_Name(const QString& chosen);

} // namespace bacnet
