#include "image/update_device.h"

#include "comm/pargen_record.h"
#include "image/compile_image.h"
#include "image/image_files.h"
#include "lang/string_table.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace image {

QString Updater_Program(const QString& exe_folder) {
    return QDir(exe_folder).filePath(QStringLiteral("Ethernet_Update.exe"));
}

QString Compile_Banks(const QString& project_folder, const lang::String_Table& texts) {
    const auto image = std::make_unique<Image_State>();
    const QString error = Compile_Image(project::Project_Paths::In_Folder(project_folder), *image);
    if (!error.isEmpty())
        return error;
    const QString write_error = Write_Image_Files(*image, project_folder);
    if (!write_error.isEmpty())
        return texts.Text(update_text::Banks_Not_Written) + write_error;
    return {};
}

int Get_Type_BACnet(const QString& pargen_file) {
    comm::ParGen_Record record;
    QString error;
    if (comm::Load_ParGen(pargen_file, record, error) != project::Load_Status::Loaded)
        return 0;
    return comm::Is_BACnet_MSTP(record) ? BACnet_Type_MSTP : 0;
}

QString Check_Update_Files(const Update_Script_Values& values, const lang::String_Table& texts) {
    for (const QString& file : Update_Operation_Files(values))
        if (!QFileInfo(file).isFile())
            return texts.Text(update_text::File_Not_Found) + file;
    return {};
}

Update_Sequence::Update_Sequence(Echo_Sender& sender, const lang::String_Table& texts,
                                 Update_Timing timing, QObject* parent)
    : QObject(parent), texts_(texts), echo_(sender, timing.Echo) {
    launcher_.Set_Bound_Ms(timing.Updater_Bound_Ms);
    connect(&echo_, &Echo_Check::Finished, this, &Update_Sequence::Echo_Finished);
    connect(&launcher_, &Program_Launcher::Started, this,
            [this] { Q_EMIT Updater_Started(Updater_Program(exe_folder_)); });
    connect(&launcher_, &Program_Launcher::Finished, this, &Update_Sequence::Updater_Finished);
}

void Update_Sequence::Execute(const Update_Script_Values& values, const QString& exe_folder) {
    values_ = values;
    exe_folder_ = exe_folder;
    running_ = true;
    echo_.Send_Ping(values.IP_Address);
}

void Update_Sequence::Echo_Finished(bool answered) {
    if (!answered) {
        if (echo_.Ping_Res() == Ping_No_Reply)
            return Finish(Update_Outcome::Device_Not_Found,
                          texts_.Text(update_text::Device_Not_Found));
        return Finish(Update_Outcome::Address_Unusable, texts_.Text(update_text::Check_Ip_Address));
    }
    Q_EMIT Echo_Answered();
    Start_Updater();
}

void Update_Sequence::Start_Updater() {
    // Nothing is written or started when a file to send is missing.
    const QString missing = Check_Update_Files(values_, texts_);
    if (!missing.isEmpty())
        return Finish(Update_Outcome::File_Missing, missing);
    const QString script_error = Compile_XML_Parameter_New_Boot(values_, exe_folder_);
    if (!script_error.isEmpty())
        return Finish(Update_Outcome::Script_Failed, script_error);
    Q_EMIT Script_Written(Update_Script_File(exe_folder_));
    launcher_.Start_Program(Updater_Program(exe_folder_), QString(), 0);
}

void Update_Sequence::Updater_Finished(Launch_Outcome outcome, int exit_code,
                                       const QString& reason) {
    switch (outcome) {
    case Launch_Outcome::Ended:
        return Finish(Update_Outcome::Updater_Ended, {}, exit_code);
    case Launch_Outcome::Not_Started:
        return Finish(Update_Outcome::Not_Started,
                      texts_.Text(update_text::Cannot_Start_Updater) +
                          QDir::toNativeSeparators(Updater_Program(exe_folder_)) +
                          QStringLiteral(" (") + reason + u')');
    case Launch_Outcome::Timed_Out:
        return Finish(Update_Outcome::Timed_Out, texts_.Text(update_text::Updater_Still_Running));
    }
}

void Update_Sequence::Finish(Update_Outcome outcome, const QString& message, int exit_code) {
    running_ = false;
    Q_EMIT Finished(outcome, message, exit_code);
}

} // namespace image
