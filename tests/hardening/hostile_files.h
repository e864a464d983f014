#pragma once

#include "support/temp_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringDecoder>
#include <QStringEncoder>

// The demo project and the malformed-input corpus, shared by the hardening tests.

inline QString Demo_Plant_Folder() {
    return QDir(QStringLiteral(QUILLON_SOURCE_DIR)).filePath(QStringLiteral("examples/Demo Plant"));
}

inline QString Corpus_Folder() {
    return QDir(QStringLiteral(QUILLON_SOURCE_DIR))
        .filePath(QStringLiteral("tests/hardening/corpus"));
}

inline QByteArray Demo_File(const QString& name) {
    return Read_Test_File(QDir(Demo_Plant_Folder()).filePath(name));
}

/// Copies the demo project's files into @p folder.
inline bool Copy_Demo_Plant(const QString& folder) {
    QDir().mkpath(folder);
    for (const QString& name : QDir(Demo_Plant_Folder()).entryList(QDir::Files))
        if (!Write_Test_File(QDir(folder).filePath(name), Demo_File(name)))
            return false;
    return true;
}

/// What a folder holds: every file below it (relative path) with its bytes and permissions.
using Folder_Snapshot = QMap<QString, QPair<QByteArray, int>>;

inline Folder_Snapshot Snapshot(const QString& folder, const QString& skip_sub_folder = {}) {
    Folder_Snapshot snapshot;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(folder).relativeFilePath(path);
        if (!skip_sub_folder.isEmpty() &&
            (relative == skip_sub_folder || relative.startsWith(skip_sub_folder + u'/')))
            continue;
        const QFileInfo info(path);
        snapshot.insert(relative, {info.isDir() ? QByteArray("<folder>") : Read_Test_File(path),
                                   int(info.permissions())});
    }
    return snapshot;
}

inline QByteArray To_Utf16(const QByteArray& utf8, QStringEncoder::Encoding encoding) {
    QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
    return encoder.encode(QString::fromUtf8(utf8));
}

/// True when permissions are enforced for this user (not for root): read-only cases need it.
inline bool Permissions_Enforced(const QString& scratch_folder) {
    const QString probe = QDir(scratch_folder).filePath(QStringLiteral("probe"));
    Write_Test_File(probe, "x");
    QFile::setPermissions(probe, QFileDevice::ReadOwner);
    QFile file(probe);
    const bool enforced = !file.open(QIODevice::WriteOnly | QIODevice::Append);
    QFile::setPermissions(probe, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(probe);
    return enforced;
}
