#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace project {

/// @brief The one number grammar of the project files' texts.
///
/// The converter's files store integers as plain decimal text: an optional sign and digits,
/// nothing else (no blanks, no separators). Long HART addresses may also be written in
/// hexadecimal after "0x" or "$". Each reader decides what an unparsable text means: the
/// validations count it as -1, which every range check refuses; the compile falls back to the
/// element's default.

/// The value of a hexadecimal digit (either case), or -1.
int Hex_Digit(QChar c);

/// Optional sign, then decimal digits, within the signed 64-bit range.
std::optional<qint64> Parse_Decimal(const QString& text);

/// Decimal as Parse_Decimal, or hexadecimal after "0x" (any case) or "$". Leading zeros do not
/// count towards the 16 digits 64 bits hold; a 16-digit value keeps its bit pattern.
std::optional<qint64> Parse_Int64(const QString& text);

/// The validation's reading: unparsable text counts as -1.
inline qint64 Int_Or_Minus_One(const QString& text) {
    return Parse_Decimal(text).value_or(-1);
}

/// The compile's reading: decimal text within the signed 32-bit range, else nothing.
std::optional<int32_t> Int32_Value(const QString& text);

/// The value as a 32-bit integer, or @p fallback when it is missing or not one.
inline int32_t Int32_Or(const std::optional<QString>& text, int32_t fallback) {
    return text ? Int32_Value(*text).value_or(fallback) : fallback;
}

/// Two's-complement bits of a signed value, ready to be cut to a field's width.
inline uint32_t Bits(int32_t value) {
    return static_cast<uint32_t>(value);
}

} // namespace project
