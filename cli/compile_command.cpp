#include "cli/commands.h"
#include "image/compile_image.h"
#include "image/image_files.h"
#include "project/project_paths.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace cli {

int Run_Compile(const QStringList& arguments) {
    if (arguments.size() != 1) {
        Print_Err(QStringLiteral("Usage: quillon-cli compile PROJECT_FOLDER\n"));
        return Exit_Usage;
    }
    const QString folder = arguments.first();
    if (!QFileInfo(folder).isDir()) {
        Print_Err(QStringLiteral("quillon-cli: project folder %1 not found\n")
                      .arg(QDir::toNativeSeparators(folder)));
        return Exit_Failed;
    }
    const auto image = std::make_unique<image::Image_State>();
    QString error = image::Compile_Image(project::Project_Paths::In_Folder(folder), *image);
    if (error.isEmpty())
        error = image::Write_Image_Files(*image, folder);
    if (!error.isEmpty()) {
        Print_Err(QStringLiteral("quillon-cli: compile failed: %1\n").arg(error));
        return Exit_Failed;
    }
    Print_Out(
        QStringLiteral("%1: %2 bytes\n%3: %4 bytes\n")
            .arg(QDir::toNativeSeparators(project::Project_Paths::In_Folder(folder).Bank1_File))
            .arg(image->Bank1_Length)
            .arg(QDir::toNativeSeparators(project::Project_Paths::In_Folder(folder).Bank2_File))
            .arg(image->Bank2_Length));
    return Exit_Ok;
}

} // namespace cli
