#include "lang/lng_template.h"

#include "lang/default_strings.h"

#include <array>

namespace lang {

namespace {

constexpr QChar Pilcrow = QChar(0x00B6);

struct Block_Heading {
    int first_id;
    const char* name;
};

// The dialogs that own each block of 100 identifiers, for the headings of the template.
constexpr auto Headings = std::to_array<Block_Heading>({
    {0, "Main window"},
    {100, "New configuration"},
    {200, "Open configuration"},
    {300, "Options"},
    {400, "Communication settings"},
    {1100, "Table editors and file exports"},
    {1200, "HART variables"},
    {1300, "BACnet access"},
    {1400, "BACnet engineering unit"},
    {1500, "Device update"},
    {1600, "HART scan"},
});

const char* Heading_Of(int block_start) {
    for (const Block_Heading& heading : Headings)
        if (heading.first_id == block_start)
            return heading.name;
    return nullptr;
}

bool Is_Trimmed_Away(QChar c) {
    return c.unicode() <= 0x20;
}

} // namespace

QString Lng_Line(int id, const QString& text) {
    QString protected_text = text;
    if (text.isEmpty() || Is_Trimmed_Away(text.front()))
        protected_text.prepend(Pilcrow);
    if (!text.isEmpty() && Is_Trimmed_Away(text.back()))
        protected_text.append(Pilcrow);
    return QStringLiteral("STR%1 = %2").arg(id).arg(protected_text);
}

QByteArray Lng_Template() {
    QString out = QStringLiteral("// Quillon 1.002 language file: the built-in English texts.\r\n"
                                 "// Each line STR<number> = <text> replaces one text; lines of "
                                 "any other form are ignored.\r\n"
                                 "// A \u00B6 at the start or end of a text keeps the blanks next "
                                 "to it; text after /#/ is a comment.\r\n");
    int block = -1;
    for (const Default_String& entry : Default_Strings()) {
        if (entry.id / 100 != block) {
            block = entry.id / 100;
            const char* heading = Heading_Of(block * 100);
            out += QStringLiteral("\r\n// %1\r\n")
                       .arg(heading ? QString::fromLatin1(heading)
                                    : QStringLiteral("Texts %1 to %2")
                                          .arg(block * 100)
                                          .arg(block * 100 + 99));
        }
        out += Lng_Line(entry.id, QString::fromUtf8(entry.text)) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace lang
