#include "project/numbers.h"

#include <limits>

namespace project {

int Hex_Digit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

namespace {

std::optional<qint64> Parse_Hex(QStringView digits) {
    if (digits.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    int significant = 0;
    for (QChar c : digits) {
        const int digit = Hex_Digit(c);
        if (digit < 0)
            return std::nullopt;
        if (value != 0 || digit != 0)
            ++significant;
        if (significant > 16)
            return std::nullopt;
        value = (value << 4) | static_cast<uint64_t>(digit);
    }
    return static_cast<qint64>(value);
}

} // namespace

std::optional<qint64> Parse_Decimal(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    const int start = (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    if (start == text.size())
        return std::nullopt;
    for (int i = start; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<qint64> Parse_Int64(const QString& text) {
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return Parse_Hex(QStringView(text).mid(2));
    if (text.startsWith(u'$'))
        return Parse_Hex(QStringView(text).mid(1));
    return Parse_Decimal(text);
}

std::optional<int32_t> Int32_Value(const QString& text) {
    const std::optional<qint64> value = Parse_Decimal(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

} // namespace project
