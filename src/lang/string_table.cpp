#include "lang/string_table.h"

#include "lang/default_strings.h"
#include "project/numbers.h"
#include "project/xml_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace lang {

namespace {

constexpr QChar Pilcrow = QChar(0x00B6);

// Blanks and control characters count as white space at both ends.
QString Trim(const QString& text) {
    int begin = 0;
    int end = static_cast<int>(text.size());
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

struct Lng_Entry {
    int id;
    QString text;
};

// One line of a language file: "STR<id> =<text>[/#/comment]". The identifier ends at the
// character before the blank before "=", so "STR12=x" sets entry 1: files rely on it.
std::optional<Lng_Entry> Parse_Lng_Line(const QString& raw_line) {
    const QString line = Trim(raw_line);
    if (!line.startsWith(QLatin1String("STR")))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    const qsizetype id_length = equals - 1 - 3;
    const QString id_text = id_length > 0 ? Trim(line.mid(3, id_length)) : QString();
    const std::optional<qint64> id = project::Parse_Decimal(id_text);
    if (!id || *id < 0 || *id >= String_Table::String_Count)
        return std::nullopt;
    QString text = Trim(line.mid(equals + 1));
    if (text.isEmpty())
        return std::nullopt;
    const qsizetype comment = text.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        text = Trim(text.left(comment));
        if (text.isEmpty())
            return std::nullopt;
    }
    if (text.startsWith(Pilcrow))
        text.remove(0, 1);
    const qsizetype end_mark = text.indexOf(Pilcrow);
    if (end_mark >= 0)
        text.truncate(end_mark);
    return Lng_Entry{static_cast<int>(*id), text};
}

// A language is a file of the language folder, named without any path.
bool Is_Plain_Name(const QString& name) {
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(u':') &&
           !name.contains(QDir::separator());
}

} // namespace

String_Table::String_Table() {
    Load_Default_Strings();
}

QString String_Table::Text(int id) const {
    if (id < 0 || id >= entries_.size())
        return {};
    return entries_[id];
}

void String_Table::Set(int id, const QString& text) {
    if (id >= 0 && id < entries_.size())
        entries_[id] = text;
}

void String_Table::Load_Default_Strings() {
    entries_.clear();
    entries_.reserve(String_Count);
    for (int id = 0; id < String_Count; ++id)
        entries_.append(QStringLiteral(" "));
    for (const Default_String& entry : Default_Strings())
        entries_[entry.id] = QString::fromUtf8(entry.text);
}

void String_Table::Apply_Lng_Lines(const QStringList& lines) {
    for (const QString& line : lines)
        if (const std::optional<Lng_Entry> entry = Parse_Lng_Line(line))
            entries_[entry->id] = entry->text;
}

bool String_Table::Load_Lng_File(const QString& path) {
    // A language file holds 2900 short texts; anything far larger, or anything that is not a
    // plain file (a link to a device never ends), is not one and is never read whole.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(Max_Lng_File_Size + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > Max_Lng_File_Size)
        return false;
    Apply_Lng_Lines(Split_Lines(Decode_Lng_Bytes(bytes)));
    return true;
}

QString Decode_Lng_Bytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    // No mark: the Western 8-bit code page, where the pilcrow is 0xB6.
    return QString::fromLatin1(bytes);
}

QStringList Split_Lines(const QString& text) {
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(u'\r', u'\n');
    return normalised.split(u'\n');
}

void Load_Language(String_Table& table, const QString& language_folder, QString& language_name) {
    table.Load_Default_Strings();
    const QString chosen = QDir(language_folder).filePath(language_name + QStringLiteral(".lng"));
    // A file that cannot be read leaves the table untouched, so the defaults stay. A name that
    // is a path counts as a missing language: only files of the language folder are read.
    if (Is_Plain_Name(language_name) && QFileInfo::exists(chosen)) {
        table.Load_Lng_File(chosen);
        return;
    }
    language_name = QStringLiteral("English");
    const QString english = QDir(language_folder).filePath(QStringLiteral("English.lng"));
    if (QFileInfo::exists(english))
        table.Load_Lng_File(english);
}

} // namespace lang
