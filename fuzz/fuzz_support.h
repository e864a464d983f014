#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

/// Helpers shared by the fuzz harnesses: every harness feeds its input through the same file
/// readers the program uses, so the input is written to a real file in a scratch folder.
namespace fuzz {

/// A scratch folder that lives as long as the fuzzing process.
inline const QString& Scratch_Folder() {
    static QTemporaryDir folder;
    if (!folder.isValid())
        std::abort();
    static const QString path = folder.path();
    return path;
}

/// A fresh empty sub-folder of the scratch folder, emptied on every call (one per harness run).
inline QString Fresh_Folder(const QString& name) {
    QDir folder(QDir(Scratch_Folder()).filePath(name));
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    return folder.path();
}

inline QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

/// Writes @p bytes to @p path, replacing it; aborts when the scratch folder fails us.
inline void Write_File(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

/// The line that separates the files of a multi-file input (project folder harnesses).
inline constexpr const char* File_Separator = "\n=====\n";

/// Splits @p input at every File_Separator into exactly @p count parts (missing parts empty,
/// the rest of the input joined into the last one).
inline QList<QByteArray> Split_Files(const QByteArray& input, int count) {
    QList<QByteArray> parts;
    qsizetype from = 0;
    while (parts.size() < count - 1) {
        const qsizetype at = input.indexOf(File_Separator, from);
        if (at < 0)
            break;
        parts << input.mid(from, at - from);
        from = at + qsizetype(qstrlen(File_Separator));
    }
    parts << input.mid(from);
    while (parts.size() < count)
        parts << QByteArray();
    return parts;
}

/// Fails the run: a harness found a property the program breaks (not a crash by itself).
[[noreturn]] inline void Property_Broken(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

} // namespace fuzz
