#include "cli/commands.h"
#include "image/update_device.h"
#include "lang/string_table.h"
#include "project/project_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

#include <memory>
#include <optional>

namespace cli {

namespace {

struct Update_Arguments {
    QString project_folder;
    QString ip_address;
    int option = image::Firmware_And_Configuration;
    bool read_back = true;
};

std::optional<int> Option_Index(const QString& name) {
    if (name == QLatin1String("both"))
        return image::Firmware_And_Configuration;
    if (name == QLatin1String("firmware"))
        return image::Firmware_Only;
    if (name == QLatin1String("configuration"))
        return image::Configuration_Only;
    return std::nullopt;
}

/// The arguments, or nothing after a usage message.
std::optional<Update_Arguments> Parse(const QStringList& arguments) {
    Update_Arguments parsed;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--no-read-back")) {
            parsed.read_back = false;
        } else if (argument == QLatin1String("--option")) {
            const std::optional<int> index =
                i + 1 < arguments.size() ? Option_Index(arguments[++i]) : std::nullopt;
            if (!index)
                return std::nullopt;
            parsed.option = *index;
        } else if (argument.startsWith(u'-')) {
            return std::nullopt;
        } else {
            positional << argument;
        }
    }
    if (positional.size() != 2)
        return std::nullopt;
    parsed.project_folder = positional[0];
    parsed.ip_address = positional[1];
    return parsed;
}

int Fail(const QString& reason) {
    Print_Err(QStringLiteral("quillon-cli: %1\n").arg(reason));
    return Exit_Failed;
}

} // namespace

int Run_Update(const QStringList& arguments) {
    const std::optional<Update_Arguments> parsed = Parse(arguments);
    if (!parsed) {
        Print_Err(QStringLiteral("Usage: quillon-cli update PROJECT_FOLDER IP [--option "
                                 "both|firmware|configuration] [--no-read-back]\n"));
        return Exit_Usage;
    }
    const QString& folder = parsed->project_folder;
    if (!QFileInfo(folder).isDir())
        return Fail(
            QStringLiteral("project folder %1 not found").arg(QDir::toNativeSeparators(folder)));

    const lang::String_Table texts;
    Print_Err(QStringLiteral("Compiling %1\n").arg(QDir::toNativeSeparators(folder)));
    const QString compile_error = image::Compile_Banks(folder, texts);
    if (!compile_error.isEmpty())
        return Fail(compile_error);

    const QString program_folder = QCoreApplication::applicationDirPath();
    image::Update_Script_Values values;
    values.IP_Address = parsed->ip_address;
    values.Update_Option = parsed->option;
    values.Read_Back = parsed->read_back;
    values.BACnet_Type =
        image::Get_Type_BACnet(project::Project_Paths::In_Folder(folder).ParGen_File);
    values.Master_Folder = QDir(program_folder).filePath(QStringLiteral("MASTER"));
    values.Project_Folder = folder;

    const std::unique_ptr<image::Echo_Sender> echo = image::Make_System_Echo_Sender();
    image::Update_Sequence sequence(*echo, texts);
    QObject::connect(&sequence, &image::Update_Sequence::Echo_Answered,
                     [] { Print_Err(QStringLiteral("The device answered\n")); });
    QObject::connect(&sequence, &image::Update_Sequence::Script_Written, [](const QString& path) {
        Print_Err(QStringLiteral("Wrote %1\n").arg(QDir::toNativeSeparators(path)));
    });
    QObject::connect(&sequence, &image::Update_Sequence::Updater_Started,
                     [](const QString& program) {
                         Print_Err(QStringLiteral("Started %1, waiting for it to end\n")
                                       .arg(QDir::toNativeSeparators(program)));
                     });
    int exit = Exit_Failed;
    bool done = false;
    QEventLoop loop;
    QObject::connect(&sequence, &image::Update_Sequence::Finished,
                     [&](image::Update_Outcome outcome, const QString& message, int exit_code) {
                         if (outcome != image::Update_Outcome::Updater_Ended) {
                             Fail(message);
                         } else if (exit_code != 0) {
                             Fail(texts.Text(image::update_text::Updater_Status) +
                                  QString::number(exit_code));
                         } else {
                             Print_Err(QStringLiteral("The update program ended with status 0\n"));
                             exit = Exit_Ok;
                         }
                         done = true;
                         loop.quit();
                     });
    Print_Err(QStringLiteral("Checking that %1 answers\n").arg(parsed->ip_address));
    sequence.Execute(values, program_folder);
    if (!done)
        loop.exec();
    return exit;
}

} // namespace cli
