#include "image/image_files.h"

#include "project/project_paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#if defined(__linux__)
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#endif

namespace image {

namespace {

// Sibling folders of "bin" used while replacing it. Only the holder of the lock uses them, so
// whatever stands under these names when the lock is taken was left by an interrupted compile.
const QString New_Folder_Name = QStringLiteral(".bin-new");
const QString Old_Folder_Name = QStringLiteral(".bin-old");

// A compile takes well under a second; a holder still there after this is not coming back.
constexpr int Lock_Wait_Ms = 30000;

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString Cannot_Write(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot write %1: %2").arg(Native(path), reason);
}

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Removes a folder with its content; a link is removed itself, never what it points to.
bool Remove_Tree(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isSymLink() || !info.isDir())
        return QFile::remove(path);
    return QDir(path).removeRecursively();
}

bool Is_Bank_Entry(const QString& name) {
    for (const char* file_name : {project::Bank1_File_Name, project::Bank2_File_Name}) {
        const QString bank = QLatin1String(file_name);
        if (name == bank || name.startsWith(bank + u'.')) // with the save files' temporaries
            return true;
    }
    return false;
}

// Copies an entry of "bin" into the fresh folder; links stay links.
bool Copy_Entry(const QFileInfo& entry, const QString& target) {
    if (entry.isSymLink())
        return QFile::link(entry.symLinkTarget(), target);
    if (!entry.isDir())
        return QFile::copy(entry.filePath(), target);
    if (!QDir().mkdir(target))
        return false;
    const QDir source(entry.filePath());
    for (const QFileInfo& child : source.entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot))
        if (!Copy_Entry(child, QDir(target).filePath(child.fileName())))
            return false;
    return true;
}

// Whatever "bin" holds besides the banks goes along into the fresh folder.
QString Carry_Other_Entries(const QString& bin, const QString& fresh) {
    const QFileInfo bin_info(bin);
    if (!bin_info.isDir() || bin_info.isSymLink())
        return {};
    for (const QFileInfo& entry : QDir(bin).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                          QDir::System | QDir::NoDotAndDotDot)) {
        if (Is_Bank_Entry(entry.fileName()))
            continue;
        const QString target = QDir(fresh).filePath(entry.fileName());
        if (!Copy_Entry(entry, target))
            return Cannot_Write(target, QStringLiteral("the file cannot be copied"));
    }
    return {};
}

QString Write_Bank(const QString& path, std::span<const uint8_t> bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Cannot_Write(path, file.errorString());
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Cannot_Write(path, reason);
    }
    if (!file.commit()) // flushed to the disk before the folder is swapped in
        return Cannot_Write(path, file.errorString());
    return {};
}

QString Stage(const Image_State& image, const QString& bin, const QString& fresh) {
    if (!QDir().mkdir(fresh))
        return Cannot_Write(fresh, QStringLiteral("the folder cannot be created"));
    QString error = Carry_Other_Entries(bin, fresh);
    if (error.isEmpty())
        error = Write_Bank(QDir(fresh).filePath(QLatin1String(project::Bank1_File_Name)),
                           image.Bank1_Bytes());
    if (error.isEmpty())
        error = Write_Bank(QDir(fresh).filePath(QLatin1String(project::Bank2_File_Name)),
                           image.Bank2_Bytes());
    return error;
}

// An interrupted two-rename swap may have left "bin" aside: put the old pair back, then clear
// the leftovers.
void Recover(const QString& bin, const QString& fresh, const QString& old,
             const Folder_Swap& swap) {
    if (!Exists(bin) && Exists(old))
        swap.rename(old, bin);
    if (Exists(bin)) // else the old folder is the only copy of the image: it stays
        Remove_Tree(old);
    Remove_Tree(fresh);
}

// Two renames where no exchange exists: in between, "bin" is missing (never half new).
QString Swap_By_Renames(const QString& bin, const QString& fresh, const QString& old,
                        const Folder_Swap& swap) {
    if (!swap.rename(bin, old))
        return Cannot_Write(bin, QStringLiteral("the folder cannot be renamed"));
    if (swap.rename(fresh, bin))
        return {};
    const QString error = Cannot_Write(bin, QStringLiteral("the new folder cannot take its place"));
    if (swap.rename(old, bin))
        return error + QStringLiteral("; the previous image is kept");
    return error + QStringLiteral("; the previous image could not be put back and is kept in %1")
                       .arg(Native(old));
}

QString Swap_In(const QString& bin, const QString& fresh, const QString& old,
                const Folder_Swap& swap) {
    if (!Exists(bin))
        return swap.rename(fresh, bin)
                   ? QString()
                   : Cannot_Write(bin, QStringLiteral("the new folder cannot take its place"));
    const std::optional<bool> exchanged = swap.exchange(fresh, bin);
    if (exchanged && !*exchanged)
        return Cannot_Write(bin, QStringLiteral("the folders cannot be exchanged"));
    if (exchanged) {
        Remove_Tree(fresh); // now the old image
        return {};
    }
    const QString error = Swap_By_Renames(bin, fresh, old, swap);
    if (error.isEmpty())
        Remove_Tree(old);
    return error;
}

} // namespace

Folder_Swap Folder_Swap::System() {
    Folder_Swap swap;
    swap.exchange = [](const QString& first, const QString& second) -> std::optional<bool> {
#if defined(__linux__)
        const QByteArray a = QFile::encodeName(first);
        const QByteArray b = QFile::encodeName(second);
        if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0)
            return true;
        if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)
            return std::nullopt;
        return false;
#else
        (void)first;
        (void)second;
        return std::nullopt;
#endif
    };
    swap.rename = [](const QString& from, const QString& to) { return QDir().rename(from, to); };
    return swap;
}

QString Image_Lock_File(const QString& project_folder) {
    return QDir(project_folder).filePath(QStringLiteral("compile.lock"));
}

QString Write_Image_Files(const Image_State& image, const QString& project_folder,
                          const Folder_Swap& swap) {
    if (!image.Complete)
        return QStringLiteral("The configuration image is not complete: nothing was written.");
    if (!QFileInfo(project_folder).isDir())
        return Cannot_Write(project_folder, QStringLiteral("the project folder does not exist"));
    QLockFile lock(Image_Lock_File(project_folder));
    if (!lock.tryLock(Lock_Wait_Ms))
        return QStringLiteral("The image of %1 is being written by another compile (%2).")
            .arg(Native(project_folder), Native(lock.fileName()));

    const QDir project(project_folder);
    const QString bin = project::Project_Paths::In_Folder(project_folder).Bin_Folder;
    const QString fresh = project.filePath(New_Folder_Name);
    const QString old = project.filePath(Old_Folder_Name);
    Recover(bin, fresh, old, swap);
    if (Exists(fresh) || Exists(old))
        return Cannot_Write(bin, QStringLiteral("%1 is left from an earlier compile and cannot be "
                                                "removed")
                                     .arg(Native(Exists(old) ? old : fresh)));
    const QFileInfo bin_info(bin);
    if (bin_info.exists() && !bin_info.isSymLink() && !bin_info.isDir()) // never replace a file
        return Cannot_Write(bin, QStringLiteral("a file holds the name of the folder"));
    QString error = Stage(image, bin, fresh);
    if (error.isEmpty())
        error = Swap_In(bin, fresh, old, swap);
    if (!error.isEmpty())
        Remove_Tree(fresh); // the old banks stay where they are
    return error;
}

} // namespace image
