#pragma once

#include <QByteArray>
#include <QString>

namespace project {

/// @brief A project file's text, turned into UTF-8 for the XML parser.
/// On failure @p error holds the reason, with the line and column of the first byte that is
/// not valid in the file's encoding when there is one.
struct Xml_Text {
    QByteArray utf8; // without byte-order mark
    QString error;
};

/// @brief Decodes the bytes of an XML file in the encoding it declares.
/// A byte-order mark selects UTF-8, UTF-16 or UTF-32; without one the `encoding` of the XML
/// declaration counts (UTF-8 when there is none). UTF-8, UTF-16, UTF-32, ISO-8859-1,
/// windows-1252 and US-ASCII are read; any other declared encoding is refused, and so is a
/// byte that is not valid in the encoding: nothing is ever replaced.
Xml_Text Decode_Xml_Bytes(const QByteArray& bytes);

/// @brief Checks what the XML parser lets through although XML forbids it: control
/// characters other than tab, line feed and carriage return, and an "&" that starts no
/// predefined entity or character reference. Comments, CDATA sections, processing
/// instructions and the document type declaration are passed over for the "&" check.
/// Empty when the text is sound, else "line L, column C: reason".
QString Check_Xml_Characters(const QByteArray& utf8);

/// Line and column (from 1, columns counted in characters) of a byte offset of UTF-8 text.
QString Utf8_Position(const QByteArray& utf8, qsizetype offset);

} // namespace project
