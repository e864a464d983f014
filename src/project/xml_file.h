#pragma once

#include <pugixml.hpp>

#include <QString>

#include <optional>

namespace project {

/// Text of the comment that every save puts after the root element.
inline constexpr const char* SW_Version_Comment = "SW_VERSION = 1.002";

enum class Load_Status { Missing, Loaded, Failed };

/// @brief How much a project file may take. Far beyond anything the converter's files hold, so
/// that a hostile or broken file is refused before it exhausts the memory.
struct Xml_Limits {
    /// Larger files are refused unread.
    qint64 Max_File_Bytes = 64 * 1024 * 1024;
    /// Memory the parsed document (its nodes and attributes) may take.
    size_t Max_Document_Bytes = 64 * 1024 * 1024;
};

/// @brief Loads an XML file.
/// Missing: the file does not exist (readers then use their defaults).
/// Failed: the file exists but cannot be read or parsed (not a regular file, a link to
/// nothing, beyond @p limits, bytes invalid in its declared encoding, not well-formed, out of
/// memory); @p error names the file, the line and column and what is wrong, ready to show in
/// the general error box.
Load_Status Load_Xml_File(const QString& path, pugi::xml_document& doc, QString& error,
                          const Xml_Limits& limits = {});

/// Parses XML from bytes; @p source_name is the file name used in the error text.
Load_Status Parse_Xml(const QByteArray& bytes, const QString& source_name, pugi::xml_document& doc,
                      QString& error, const Xml_Limits& limits = {});

/// The root element: the document's first element node (a leading declaration or
/// comment written by another tool is passed over).
pugi::xml_node Root_Node(const pugi::xml_document& doc);

/// First child element of @p parent with this name (null node when none).
pugi::xml_node Child(pugi::xml_node parent, const char* name);

/// All text and CDATA pieces of @p element joined, whatever comments stand between them.
QString Element_Text(pugi::xml_node element);

// Record files: one child element per field, read each on its own with its own default.

/// The element's text; @p fallback only when the element is missing (present and empty gives "").
QString Child_Text(pugi::xml_node parent, const char* name, const QString& fallback);
/// The element's text as a decimal integer; @p fallback when missing, empty or not an integer.
qint64 Child_Int(pugi::xml_node parent, const char* name, qint64 fallback);
/// A record-file check box: checked only when the text is exactly "1".
bool Child_Flag(pugi::xml_node parent, const char* name);

// Table files: rows are `row` elements whose fields are attributes.

/// The attribute's text, or nothing when the attribute is missing.
std::optional<QString> Attr(pugi::xml_node row, const char* name);
/// The attribute's text; @p fallback when missing.
QString Attr_Text(pugi::xml_node row, const char* name, const QString& fallback);

QString To_QString(const char* utf8);
std::string To_Utf8(const QString& text);

/// @brief Builds a new document: the root element, then the version comment at document level.
/// Returns the root, to which the caller adds its fields or tables.
pugi::xml_node New_Document(pugi::xml_document& doc, const char* root_name);

/// Adds a record field element with text.
void Add_Text_Child(pugi::xml_node parent, const char* name, const QString& text);
/// Sets a row attribute.
void Set_Attr(pugi::xml_node row, const char* name, const QString& text);

/// Serialises without declaration, UTF-8.
QByteArray Serialise_Xml(const pugi::xml_document& doc);
/// Serialises and saves atomically. Empty text on success, else the message to show.
QString Save_Xml_File(const pugi::xml_document& doc, const QString& path);

} // namespace project
