#pragma once

#include <QString>
#include <QStringList>

namespace lang {

/// @brief The indexed texts every dialog reads: 2900 entries, built-in English
/// defaults overridden entry by entry from a language file.
class String_Table {
public:
    static constexpr int String_Count = 2900;
    static constexpr qint64 Max_Lng_File_Size = 8 * 1024 * 1024;

    String_Table();

    /// The text at @p id; an empty text for an id outside 0..2899.
    QString operator[](int id) const { return Text(id); }
    QString Text(int id) const;
    void Set(int id, const QString& text);
    int Count() const { return static_cast<int>(entries_.size()); }

    /// Resets every entry to its built-in English text.
    void Load_Default_Strings();

    /// Applies one language file; false when it cannot be opened or read, is no plain file or
    /// is larger than Max_Lng_File_Size (table unchanged).
    bool Load_Lng_File(const QString& path);

    /// Applies language-file text already decoded into lines.
    void Apply_Lng_Lines(const QStringList& lines);

private:
    QStringList entries_;
};

/// Decodes a language file: UTF-8 or UTF-16 by byte-order mark, else the 8-bit code page.
QString Decode_Lng_Bytes(const QByteArray& bytes);

/// Splits at CR LF, LF or CR.
QStringList Split_Lines(const QString& text);

/// @brief Defaults, then `<Language_Name>.lng` from @p language_folder; when that file is
/// missing, the language becomes "English" and "English.lng" is applied if present.
void Load_Language(String_Table& table, const QString& language_folder, QString& language_name);

} // namespace lang
