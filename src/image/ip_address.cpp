#include "image/ip_address.h"

#include "project/numbers.h"

#include <QStringList>

namespace image {

namespace {

// Anything that is not a decimal number counts as out of range.
constexpr qint64 Not_A_Number = 1000;

bool Is_Byte(const QString& part) {
    const qint64 value = project::Parse_Decimal(part).value_or(Not_A_Number);
    return value >= 0 && value <= 255;
}

} // namespace

bool Split_IP_Address(const QString& text, IP_Parts& parts) {
    IP_Parts found;
    QString rest = text.trimmed();
    for (size_t i = 0; i < 3; ++i) {
        const qsizetype dot = rest.indexOf(u'.');
        if (dot < 0)
            return false;
        found[i] = rest.left(dot).trimmed();
        rest = rest.mid(dot + 1).trimmed();
    }
    found[3] = rest;
    for (const QString& part : found)
        if (!Is_Byte(part))
            return false;
    parts = found;
    return true;
}

QString Join_IP_Address(const IP_Parts& parts) {
    return QStringList(parts.begin(), parts.end()).join(u'.');
}

} // namespace image
