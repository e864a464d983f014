#include "project/xml_encoding.h"

#include <array>
#include <optional>

namespace project {

namespace {

enum class Encoding { Utf8, Utf16_LE, Utf16_BE, Utf32_LE, Utf32_BE, Latin1, Windows1252, Ascii };

struct Detected {
    Encoding encoding = Encoding::Utf8;
    qsizetype skip = 0; // byte-order mark
    QString error;
};

bool Starts_With(const QByteArray& bytes, std::initializer_list<uint8_t> prefix) {
    if (bytes.size() < static_cast<qsizetype>(prefix.size()))
        return false;
    qsizetype i = 0;
    for (const uint8_t byte : prefix)
        if (static_cast<uint8_t>(bytes[i++]) != byte)
            return false;
    return true;
}

// The value of `encoding` in a leading XML declaration; empty when there is none.
QByteArray Declared_Encoding(const QByteArray& bytes) {
    if (!bytes.startsWith("<?xml"))
        return {};
    const qsizetype end = bytes.indexOf("?>");
    const QByteArray declaration = bytes.left(end < 0 ? 0 : end);
    qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return {};
    at += 8;
    while (at < declaration.size() &&
           (declaration[at] == ' ' || declaration[at] == '\t' || declaration[at] == '\r' ||
            declaration[at] == '\n' || declaration[at] == '='))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const qsizetype close = declaration.indexOf(declaration[at], at + 1);
    return close < 0 ? QByteArray() : declaration.mid(at + 1, close - at - 1);
}

std::optional<Encoding> Encoding_Named(const QByteArray& declared) {
    const QByteArray name = declared.trimmed().toLower();
    if (name == "utf-8" || name == "utf8")
        return Encoding::Utf8;
    if (name == "iso-8859-1" || name == "iso_8859-1" || name == "latin1" || name == "latin-1" ||
        name == "l1" || name == "cp819" || name == "iso-ir-100")
        return Encoding::Latin1;
    if (name == "windows-1252" || name == "cp1252" || name == "x-cp1252")
        return Encoding::Windows1252;
    if (name == "us-ascii" || name == "ascii")
        return Encoding::Ascii;
    return std::nullopt;
}

Detected Detect(const QByteArray& bytes) {
    if (Starts_With(bytes, {0xEF, 0xBB, 0xBF}))
        return {Encoding::Utf8, 3, {}};
    if (Starts_With(bytes, {0xFF, 0xFE, 0x00, 0x00}))
        return {Encoding::Utf32_LE, 4, {}};
    if (Starts_With(bytes, {0x00, 0x00, 0xFE, 0xFF}))
        return {Encoding::Utf32_BE, 4, {}};
    if (Starts_With(bytes, {0xFF, 0xFE}))
        return {Encoding::Utf16_LE, 2, {}};
    if (Starts_With(bytes, {0xFE, 0xFF}))
        return {Encoding::Utf16_BE, 2, {}};
    // Without a mark a wide file still shows itself by its first "<".
    if (Starts_With(bytes, {0x3C, 0x00, 0x00, 0x00}))
        return {Encoding::Utf32_LE, 0, {}};
    if (Starts_With(bytes, {0x00, 0x00, 0x00, 0x3C}))
        return {Encoding::Utf32_BE, 0, {}};
    if (Starts_With(bytes, {0x3C, 0x00}))
        return {Encoding::Utf16_LE, 0, {}};
    if (Starts_With(bytes, {0x00, 0x3C}))
        return {Encoding::Utf16_BE, 0, {}};
    const QByteArray declared = Declared_Encoding(bytes);
    if (declared.isEmpty())
        return {Encoding::Utf8, 0, {}};
    if (const std::optional<Encoding> encoding = Encoding_Named(declared))
        return {*encoding, 0, {}};
    if (declared.toLower().startsWith("utf-16") || declared.toLower().startsWith("utf-32"))
        return {Encoding::Utf8, 0,
                QStringLiteral("the file declares %1 but is written in 8-bit characters")
                    .arg(QString::fromLatin1(declared))};
    return {Encoding::Utf8, 0,
            QStringLiteral("the encoding \"%1\" is not supported (UTF-8, UTF-16, UTF-32, "
                           "ISO-8859-1, windows-1252 and US-ASCII are)")
                .arg(QString::fromLatin1(declared))};
}

void Append_Utf8(QByteArray& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

QString Hex_Bytes(const QByteArray& bytes, qsizetype at, qsizetype count) {
    return QString::fromLatin1(bytes.mid(at, count).toHex(' ').toUpper());
}

Xml_Text Invalid(const QByteArray& decoded, const QString& what) {
    return {{}, QStringLiteral("%1: %2").arg(Utf8_Position(decoded, decoded.size()), what)};
}

// Length of the valid UTF-8 sequence at @p at, or 0 when it is not one.
qsizetype Utf8_Sequence(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<uint8_t>(bytes[i]); };
    const uint8_t lead = byte(at);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    return length;
}

Xml_Text Decode_Utf8(const QByteArray& bytes, qsizetype start) {
    const QByteArray text = bytes.mid(start);
    const auto* data = reinterpret_cast<const uint8_t*>(text.constData());
    for (qsizetype at = 0; at < text.size();) {
        if (data[at] < 0x80) { // most of a file: no need to look closer
            ++at;
            continue;
        }
        const qsizetype length = Utf8_Sequence(text, at);
        if (length == 0)
            return Invalid(
                text.left(at),
                QStringLiteral("byte %1 is not valid UTF-8").arg(Hex_Bytes(text, at, 1)));
        at += length;
    }
    return {text, {}};
}

Xml_Text Decode_Wide(const QByteArray& bytes, qsizetype start, int unit_size, bool big_endian) {
    const auto unit = [&](qsizetype at) {
        char32_t value = 0;
        for (int i = 0; i < unit_size; ++i) {
            const int shift = 8 * (big_endian ? unit_size - 1 - i : i);
            value |= static_cast<char32_t>(static_cast<uint8_t>(bytes[at + i])) << shift;
        }
        return value;
    };
    const QString name = unit_size == 2 ? QStringLiteral("UTF-16") : QStringLiteral("UTF-32");
    QByteArray out;
    out.reserve((bytes.size() - start) / unit_size);
    for (qsizetype at = start; at < bytes.size();) {
        if (at + unit_size > bytes.size())
            return Invalid(out, QStringLiteral("the file ends inside a %1 character").arg(name));
        char32_t code = unit(at);
        qsizetype used = unit_size;
        if (unit_size == 2 && code >= 0xD800 && code <= 0xDBFF && at + 4 <= bytes.size() &&
            unit(at + 2) >= 0xDC00 && unit(at + 2) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
            used = 4;
        }
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return Invalid(out, QStringLiteral("bytes %1 are not valid %2")
                                    .arg(Hex_Bytes(bytes, at, unit_size), name));
        Append_Utf8(out, code);
        at += used;
    }
    return {out, {}};
}

// Windows-1252 differs from ISO-8859-1 in 0x80..0x9F; zero marks the five unassigned bytes.
constexpr std::array<char16_t, 32> Windows1252_High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

Xml_Text Decode_Single_Byte(const QByteArray& bytes, Encoding encoding) {
    const QString name =
        encoding == Encoding::Ascii ? QStringLiteral("US-ASCII") : QStringLiteral("windows-1252");
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        const auto byte = static_cast<uint8_t>(bytes[at]);
        char32_t code = byte;
        if (encoding == Encoding::Ascii && byte >= 0x80)
            code = 0;
        else if (encoding == Encoding::Windows1252 && byte >= 0x80 && byte <= 0x9F)
            code = Windows1252_High[byte - 0x80];
        if (byte != 0 && code == 0)
            return Invalid(
                out, QStringLiteral("byte %1 is not valid %2").arg(Hex_Bytes(bytes, at, 1), name));
        Append_Utf8(out, code);
    }
    return {out, {}};
}

bool Is_Name_Char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool Is_Xml_Char(uint32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Length of the reference at @p at ("&amp;", "&#65;", "&#x41;"), or 0 when it is not a sound one.
qsizetype Reference_Length(const QByteArray& text, qsizetype at) {
    const qsizetype semicolon = text.indexOf(';', at + 1);
    if (semicolon < 0 || semicolon - at > 12)
        return 0;
    const QByteArray body = text.mid(at + 1, semicolon - at - 1);
    if (body == "amp" || body == "lt" || body == "gt" || body == "quot" || body == "apos")
        return semicolon - at + 1;
    if (!body.startsWith('#'))
        return 0;
    const bool hex = body.startsWith("#x");
    const QByteArray digits = body.mid(hex ? 2 : 1);
    for (const char c : digits)
        if (!Is_Name_Char(c))
            return 0;
    bool ok = false;
    const uint32_t code = digits.toUInt(&ok, hex ? 16 : 10);
    return ok && !digits.isEmpty() && Is_Xml_Char(code) ? semicolon - at + 1 : 0;
}

// Where the region that starts at @p at ends (just after it), when it is one in which "&"
// carries no meaning; else nothing.
std::optional<qsizetype> Skipped_Region_End(const QByteArray& text, qsizetype at) {
    const auto after = [&](const char* open, const char* close) -> std::optional<qsizetype> {
        if (!QByteArrayView(text).sliced(at).startsWith(open))
            return std::nullopt;
        const qsizetype end = text.indexOf(close, at + qstrlen(open));
        return end < 0 ? text.size() : end + qstrlen(close);
    };
    if (const auto end = after("<!--", "-->"))
        return end;
    if (const auto end = after("<![CDATA[", "]]>"))
        return end;
    if (const auto end = after("<?", "?>"))
        return end;
    if (QByteArrayView(text).sliced(at).startsWith("<!DOCTYPE")) {
        const qsizetype bracket = text.indexOf('[', at);
        const qsizetype close = text.indexOf('>', at);
        const qsizetype subset_end =
            bracket >= 0 && bracket < close ? text.indexOf(']', bracket) : at;
        const qsizetype end = text.indexOf('>', subset_end < 0 ? at : subset_end);
        return end < 0 ? text.size() : end + 1;
    }
    return std::nullopt;
}

QString At(const QByteArray& text, qsizetype offset, const QString& what) {
    return QStringLiteral("%1: %2").arg(Utf8_Position(text, offset), what);
}

// XML allows no control character but tab, line feed and carriage return, nor U+FFFE, U+FFFF.
QString Forbidden_Character(const QByteArray& utf8, qsizetype at) {
    const auto byte = static_cast<uint8_t>(utf8[at]);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
        return At(utf8, at,
                  QStringLiteral("control character %1 is not allowed in XML")
                      .arg(Hex_Bytes(utf8, at, 1)));
    if (byte == 0xEF && at + 2 < utf8.size() && static_cast<uint8_t>(utf8[at + 1]) == 0xBF &&
        static_cast<uint8_t>(utf8[at + 2]) >= 0xBE)
        return At(utf8, at, QStringLiteral("character U+FFFE or U+FFFF is not allowed in XML"));
    return {};
}

} // namespace

QString Utf8_Position(const QByteArray& utf8, qsizetype offset) {
    int line = 1;
    int column = 1;
    const qsizetype end = std::min<qsizetype>(offset, utf8.size());
    for (qsizetype i = 0; i < end; ++i) {
        const auto byte = static_cast<uint8_t>(utf8[i]);
        if (byte == '\n') {
            ++line;
            column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

Xml_Text Decode_Xml_Bytes(const QByteArray& bytes) {
    const Detected detected = Detect(bytes);
    if (!detected.error.isEmpty())
        return {{}, detected.error};
    switch (detected.encoding) {
    case Encoding::Utf8:
        return Decode_Utf8(bytes, detected.skip);
    case Encoding::Utf16_LE:
        return Decode_Wide(bytes, detected.skip, 2, false);
    case Encoding::Utf16_BE:
        return Decode_Wide(bytes, detected.skip, 2, true);
    case Encoding::Utf32_LE:
        return Decode_Wide(bytes, detected.skip, 4, false);
    case Encoding::Utf32_BE:
        return Decode_Wide(bytes, detected.skip, 4, true);
    case Encoding::Latin1:
    case Encoding::Windows1252:
    case Encoding::Ascii:
        return Decode_Single_Byte(bytes, detected.encoding);
    }
    return {{}, QStringLiteral("unknown encoding")};
}

// Only these bytes can start something the check refuses or passes over.
bool Worth_A_Look(uint8_t byte) {
    return byte < 0x20 || byte == '<' || byte == '&' || byte == 0xEF;
}

QString Check_Xml_Characters(const QByteArray& utf8) {
    const auto* data = reinterpret_cast<const uint8_t*>(utf8.constData());
    for (qsizetype at = 0; at < utf8.size();) {
        if (!Worth_A_Look(data[at])) {
            ++at;
            continue;
        }
        QString bad = Forbidden_Character(utf8, at);
        if (!bad.isEmpty())
            return bad;
        const char c = utf8[at];
        const bool markup_declaration =
            c == '<' && at + 1 < utf8.size() && (data[at + 1] == '!' || data[at + 1] == '?');
        if (markup_declaration) {
            if (const std::optional<qsizetype> end = Skipped_Region_End(utf8, at)) {
                for (qsizetype i = at; i < *end && bad.isEmpty(); ++i)
                    if (Worth_A_Look(data[i]))
                        bad = Forbidden_Character(utf8, i);
                if (!bad.isEmpty())
                    return bad;
                at = *end;
                continue;
            }
        } else if (c == '&') {
            const qsizetype length = Reference_Length(utf8, at);
            if (length == 0)
                return At(utf8, at,
                          QStringLiteral("\"&\" starts no known entity or character reference "
                                         "(a literal \"&\" is written \"&amp;\")"));
            at += length;
            continue;
        }
        ++at;
    }
    return {};
}

} // namespace project
