#pragma once

#include <QByteArray>
#include <QString>

namespace project {

/// @brief Writes @p bytes to @p path atomically: on failure the previous file stays whole.
/// Returns an empty text on success, else a message naming the file and the reason.
QString Save_File_Atomically(const QString& path, const QByteArray& bytes);

} // namespace project
