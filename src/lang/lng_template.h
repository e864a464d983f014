#pragma once

#include <QByteArray>
#include <QString>

namespace lang {

/// @brief One language-file line that sets entry @p id to @p text. Blanks at either end are
/// kept by a pilcrow, which the loader removes; an empty text is a lone pilcrow. A text that
/// holds a pilcrow or "/#/" itself cannot be written (the built-in texts hold neither).
QString Lng_Line(int id, const QString& text);

/// @brief A complete language file of the built-in English texts, for translators to start
/// from: UTF-8 with a byte-order mark, CR LF line ends, one heading per block of 100.
QByteArray Lng_Template();

} // namespace lang
