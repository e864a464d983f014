#include "app/language_list.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace app {

QStringList Create_Lang_List(const QString& language_folder) {
    QStringList languages;
    const QFileInfoList files = QDir(language_folder)
                                    .entryInfoList({QStringLiteral("*.lng")},
                                                   QDir::Files | QDir::NoSymLinks | QDir::Hidden);
    for (const QFileInfo& file : files) {
        // Files marked read-only are not offered; here that mark is the owner's write permission.
        if (!(file.permissions() & QFileDevice::WriteOwner))
            continue;
        languages << file.fileName();
    }
    languages.sort(Qt::CaseInsensitive);
    return languages;
}

int Lang_Pages(int count) {
    return (std::max(count, 0) + Langs_Per_Page - 1) / Langs_Per_Page;
}

int Langs_On_Page(int count, int page) {
    return std::clamp(count - (page - 1) * Langs_Per_Page, 0, Langs_Per_Page);
}

int Lang_Index(int page, int slot) {
    return (page - 1) * Langs_Per_Page + slot - 1;
}

QString Lang_Name(const QString& file_name) {
    return file_name.chopped(std::min<qsizetype>(4, file_name.size()));
}

QStringList Flag_Files(const QString& language_folder, const QString& name) {
    const QDir folder(language_folder);
    QStringList files;
    for (const QString& candidate :
         {folder.filePath(name + QStringLiteral(".bmp")), folder.filePath("DefaultFlag.bmp")})
        if (QFileInfo(candidate).isFile())
            files << candidate;
    return files;
}

} // namespace app
