#include "image/image_files.h"

#include "project/save_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <optional>

namespace image {

namespace {

QString Cannot_Write(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

QString Stage(QSaveFile& file, std::span<const uint8_t> bytes) {
    if (!file.open(QIODevice::WriteOnly))
        return Cannot_Write(file.fileName(), file.errorString());
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size)
        return Cannot_Write(file.fileName(), file.errorString());
    return {};
}

std::optional<QByteArray> Current_Content(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Puts the first bank back as it was when the second one could not be committed.
void Restore(const QString& path, const std::optional<QByteArray>& previous) {
    if (previous)
        project::Save_File_Atomically(path, *previous);
    else
        QFile::remove(path);
}

} // namespace

QString Image_Folder(const QString& project_folder) {
    return QDir(project_folder).filePath(QStringLiteral("bin"));
}

QString Bank1_File(const QString& project_folder) {
    return QDir(Image_Folder(project_folder)).filePath(QStringLiteral("bank1.bin"));
}

QString Bank2_File(const QString& project_folder) {
    return QDir(Image_Folder(project_folder)).filePath(QStringLiteral("bank2.bin"));
}

QString Write_Image_Files(const Image_State& image, const QString& project_folder) {
    if (!image.Complete)
        return QStringLiteral("The configuration image is not complete: nothing was written.");
    const QString folder = Image_Folder(project_folder);
    if (!QDir().mkpath(folder))
        return Cannot_Write(folder, QStringLiteral("the folder cannot be created"));

    // Both banks are staged in full before either replaces its old file.
    QSaveFile bank1(Bank1_File(project_folder));
    QSaveFile bank2(Bank2_File(project_folder));
    QString error = Stage(bank1, image.Bank1_Bytes());
    if (error.isEmpty())
        error = Stage(bank2, image.Bank2_Bytes());
    if (!error.isEmpty())
        return error; // uncommitted files are discarded, the old banks stay

    const std::optional<QByteArray> previous_bank1 = Current_Content(bank1.fileName());
    if (!bank1.commit())
        return Cannot_Write(bank1.fileName(), bank1.errorString());
    if (!bank2.commit()) {
        error = Cannot_Write(bank2.fileName(), bank2.errorString());
        Restore(bank1.fileName(), previous_bank1);
        return error;
    }
    return {};
}

} // namespace image
