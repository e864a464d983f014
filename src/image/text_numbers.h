#pragma once

#include "project/xml_file.h"

#include <QString>

#include <cstdint>
#include <limits>
#include <optional>

namespace image {

/// @brief An integer as the converter's files store it: decimal text within the signed
/// 32-bit range. Anything else (empty, blanks, letters, too large) gives nothing.
inline std::optional<int32_t> Int32_Value(const QString& text) {
    const std::optional<qint64> value = project::Parse_Decimal(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

/// The attribute or element value as an integer, or @p fallback when missing or not one.
inline int32_t Int32_Or(const std::optional<QString>& text, int32_t fallback) {
    return text ? Int32_Value(*text).value_or(fallback) : fallback;
}

/// Two's-complement bits of a signed value, ready to be cut to a field's width.
inline uint32_t Bits(int32_t value) {
    return static_cast<uint32_t>(value);
}

} // namespace image
