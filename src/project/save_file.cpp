#include "project/save_file.h"

#include <QDir>
#include <QSaveFile>

namespace project {

QString Save_File_Atomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
    }
    if (!file.commit())
        return QStringLiteral("Cannot write %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

} // namespace project
