#pragma once

#include "image/echo_check.h"
#include "image/program_launcher.h"
#include "image/update_script.h"

#include <QObject>
#include <QString>

namespace lang {
class String_Table;
}

namespace image {

/// Texts of the device update that the dialog and quillon-cli share.
namespace update_text {
inline constexpr int Device_Not_Found = 1536;
inline constexpr int Check_Ip_Address = 1537;
inline constexpr int Cannot_Start_Updater = 1538;
inline constexpr int Updater_Still_Running = 1539;
inline constexpr int File_Not_Found = 1540;
inline constexpr int Banks_Not_Written = 1541;
inline constexpr int Waiting_For_Updater = 1542;
inline constexpr int Updater_Status = 1543;
} // namespace update_text

/// "Ethernet_Update.exe" in @p exe_folder: that name on every system.
QString Updater_Program(const QString& exe_folder);

/// @brief Compiles the project in @p project_folder and writes bin/bank1.bin and bin/bank2.bin.
/// Empty text on success. Otherwise the message to show: the compile's reason as it stands,
/// or, when the banks could not be written, that fact and why (stale banks must never go out).
QString Compile_Banks(const QString& project_folder, const lang::String_Table& texts);

/// The project's BACnet type (`BACnet_Type` of ParGen.xml): 1 for MS/TP, 0 otherwise,
/// also when the file or the element is missing or not a number.
int Get_Type_BACnet(const QString& pargen_file);

/// The first file the chosen operations send that does not exist, named in the message to
/// show; an empty text when all are there.
QString Check_Update_Files(const Update_Script_Values& values, const lang::String_Table& texts);

/// Bounds of the whole sequence; tests shorten them.
struct Update_Timing {
    Echo_Timing Echo;
    int Updater_Bound_Ms = Program_Launcher::Default_Bound_Ms;
};

/// How an update attempt ended.
enum class Update_Outcome {
    Updater_Ended,    // the updater ran and ended (exit code reported)
    Device_Not_Found, // the last echo had no reply
    Address_Unusable, // no echo result at all
    File_Missing,     // a file to send is missing: nothing was started
    Script_Failed,    // Ethernet_Update.xml could not be written
    Not_Started,      // the updater could not be started
    Timed_Out,        // the updater was still running at the bound
};

/// @brief What Execute does after the banks are compiled: echo check, check of the files to
/// send, the updater's script, the updater started and waited for. Shared by the update
/// dialog and quillon-cli. Asynchronous: each step reports by signal.
class Update_Sequence : public QObject {
    Q_OBJECT

public:
    Update_Sequence(Echo_Sender& sender, const lang::String_Table& texts, Update_Timing timing = {},
                    QObject* parent = nullptr);

    /// Starts the sequence for @p values; the script and the updater are in @p exe_folder.
    /// Finished follows once.
    void Execute(const Update_Script_Values& values, const QString& exe_folder);

    bool Running() const { return running_; }
    int Ping_Res() const { return echo_.Ping_Res(); }
    const Program_Launcher& Launcher() const { return launcher_; }

Q_SIGNALS:
    /// The converter answered: the caller may keep the values now.
    void Echo_Answered();
    void Script_Written(const QString& path);
    void Updater_Started(const QString& program);
    /// @p message: the text to show (empty when the updater ended); @p exit_code: the
    /// updater's exit code when it ended normally, -1 otherwise.
    void Finished(image::Update_Outcome outcome, const QString& message, int exit_code);

private:
    void Echo_Finished(bool answered);
    void Start_Updater();
    void Updater_Finished(Launch_Outcome outcome, int exit_code, const QString& reason);
    void Finish(Update_Outcome outcome, const QString& message, int exit_code = -1);

    const lang::String_Table& texts_;
    Echo_Check echo_;
    Program_Launcher launcher_;
    Update_Script_Values values_;
    QString exe_folder_;
    bool running_ = false;
};

} // namespace image
