#include "bacnet/ede_export.h"

#include "bacnet/bacnet_access.h"
#include "comm/pargen_record.h"
#include "lang/string_table.h"
#include "project/numbers.h"
#include "project/save_file.h"
#include "project/user_prompt.h"

#include <QFileInfo>

namespace bacnet {

namespace {

constexpr int Str_Overwrite = 1105;
constexpr int MSTP_Type = 1;
constexpr int Short_Name_Limit = 16;
constexpr int Long_Name_Limit = 32;
constexpr int Full_Layout_Columns = 16;
constexpr int Full_Layout_Unit_Column = 14; // counting from 0; vendor-specific-address follows

QString Header_Lines(const QString& project_name, const QDateTime& now, EDE_Layout layout) {
    QString text = QStringLiteral("PROJECT_NAME; Tolmex--%1;;;;;;\r\n").arg(project_name);
    text += QStringLiteral("VERSION_OF_REFERENCEFILE;1.0;;;;;;\r\n");
    text += QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;%1;;;;;;\r\n")
                .arg(now.toString(QStringLiteral("HH:mm:ss dd/MM/yyyy")));
    text += QStringLiteral("AUTHOR_OF_LAST_CHANGE;Tolmex;;;;;;\r\n");
    text += QStringLiteral("VERSION_OF_LAYOUT;2;;;;;;\r\n");
    if (layout == EDE_Layout::Compact) {
        text += QStringLiteral("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;"
                               "optional;\r\n");
        text += QStringLiteral("# keyname;device obj.-instance;object-name;object-type;"
                               "object-instance;description;unit-code;\r\n");
    } else {
        text += QStringLiteral("# mandatory;mandatory;mandatory;mandatory;mandatory;") +
                QStringLiteral("optional;").repeated(Full_Layout_Columns - 5) +
                QStringLiteral("\r\n");
        text += QStringLiteral(
            "# keyname;device obj.-instance;object-name;object-type;object-instance;"
            "description;present-value-default;min-present-value;max-present-value;settable;"
            "supports COV;hi-limit;low-limit;state-text-reference;unit-code;"
            "vendor-specific-address;\r\n");
    }
    return text;
}

void Append_Field(QString& text, const QString& field) {
    text += field;
    text += u';';
}

// Fields as they are, each followed by ";", no quoting.
void Append_Object_Line(QString& text, const TBACnet_EDE_Obj& object, EDE_Layout layout) {
    for (const QString* field : {&object.Keyname, &object.DevObjInstance, &object.ObjectName,
                                 &object.ObjectType, &object.ObjectInstance, &object.Description})
        Append_Field(text, *field);
    if (layout == EDE_Layout::Full)
        for (int column = 6; column < Full_Layout_Unit_Column; ++column)
            text += u';';
    Append_Field(text, object.UnitCode);
    if (layout == EDE_Layout::Full)
        text += u';'; // vendor-specific-address
    text += QStringLiteral("\r\n");
}

TBACnet_EDE_Obj Make_Object(const Stored_Row& row, const Numbered_Object& numbered,
                            const EDE_Settings& settings) {
    const QString& mnemonic = row.fields.Mnemonic;
    const QString name = mnemonic.left(settings.Desc_Lenght ? Long_Name_Limit : Short_Name_Limit);
    const QString instance = QString::number(numbered.instance);
    TBACnet_EDE_Obj object;
    object.Keyname = settings.Device_Instance + u'_' + mnemonic + u'_' + instance;
    object.DevObjInstance = settings.Device_Instance;
    object.ObjectName = name;
    object.ObjectType = QString::number(
        BACnet_Object_Types()[static_cast<size_t>(numbered.type_index)].object_type);
    object.ObjectInstance = instance;
    object.Description = name;
    object.UnitCode = row.fields.Eng_Unit;
    return object;
}

} // namespace

QString Read_EDE_Settings(const QString& par_gen_path, EDE_Settings& settings) {
    settings = EDE_Settings();
    comm::ParGen_Record defaults;
    defaults.BACnet_Type.clear();
    defaults.BACnet_DEV_IDE.clear();
    defaults.BACnet_Ser_DEV_IDE.clear();
    defaults.BACnet_Desc_Chars_Limit.clear();
    comm::ParGen_Record texts = defaults;
    QString error;
    if (comm::Load_ParGen_Texts(par_gen_path, defaults, texts, error) ==
        project::Load_Status::Failed)
        return error;
    const bool mstp = project::Parse_Decimal(texts.BACnet_Type).value_or(0) == MSTP_Type;
    settings.Device_Instance = mstp ? texts.BACnet_Ser_DEV_IDE : texts.BACnet_DEV_IDE;
    settings.Desc_Lenght = texts.BACnet_Desc_Chars_Limit == QLatin1String("1");
    return {};
}

QString Collect_EDE_Objects(const QString& bacnet_slave_path, const EDE_Settings& settings,
                            QList<TBACnet_EDE_Obj>& objects) {
    objects.clear();
    const BACnet_Access_File file = Read_BACnet_Access_File(bacnet_slave_path);
    if (file.status != project::Load_Status::Loaded)
        return file.error; // empty when the file is missing
    QString error = Check_Required_Attributes(file, {Attr_Data_Type, Attr_Eng_Unit, Attr_Mnemonic});
    if (!error.isEmpty())
        return error;
    const Object_Numbering numbering =
        Number_Objects(file.Data_Types(Access_Table::Read), file.Data_Types(Access_Table::Write));
    error = Check_Image_Capacity(file.file, numbering.objects.size(), settings.Desc_Lenght);
    if (!error.isEmpty())
        return error;
    objects.reserve(numbering.objects.size());
    for (const Numbered_Object& numbered : numbering.objects)
        objects << Make_Object(file.Rows(numbered.table)[numbered.row], numbered, settings);
    return {};
}

QByteArray EDE_File_Bytes(const QString& project_name, const QDateTime& now,
                          const QList<TBACnet_EDE_Obj>& objects, EDE_Layout layout) {
    QString text = Header_Lines(project_name, now, layout);
    text.reserve(text.size() + objects.size() * 96);
    for (const TBACnet_EDE_Obj& object : objects)
        Append_Object_Line(text, object, layout);
    // One byte per character; characters beyond Latin-1 become '?'.
    return text.toLatin1();
}

QString Write_EDE_File(const EDE_Source& source, const QString& output, EDE_Layout layout,
                       const QDateTime& now) {
    EDE_Settings settings;
    QString error = Read_EDE_Settings(source.ParGen_File, settings);
    if (!error.isEmpty())
        return error;
    QList<TBACnet_EDE_Obj> objects;
    error = Collect_EDE_Objects(source.BACnet_Slave_File, settings, objects);
    if (!error.isEmpty())
        return error;
    return project::Save_File_Atomically(output,
                                         EDE_File_Bytes(source.Project_Name, now, objects, layout));
}

bool Export_EDE_Step(const EDE_Source& source, const QString& chosen, EDE_Layout layout,
                     project::User_Prompt& prompt, const lang::String_Table& texts) {
    const QString file_name = EDE_File_Name(chosen);
    if (QFileInfo::exists(file_name) && !prompt.Ask_Yes_No_Cancel(texts.Text(Str_Overwrite)))
        return false;
    const QString error = Write_EDE_File(source, file_name, layout);
    if (error.isEmpty())
        return true;
    prompt.Error(error);
    return false;
}

QString EDE_File_Name(const QString& chosen) {
    if (chosen.right(4).toUpper() == QLatin1String(".CSV"))
        return chosen;
    return chosen + QStringLiteral(".csv");
}

} // namespace bacnet
