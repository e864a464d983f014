#pragma once

#include <QString>

#include <array>

namespace image {

/// The four parts of a dotted IPv4 address, first byte first, as texts.
using IP_Parts = std::array<QString, 4>;

/// @brief Splits a dotted address into its four parts, each trimmed.
/// Fails unless there are exactly four parts and each is a decimal number 0..255;
/// @p parts is changed only on success.
bool Split_IP_Address(const QString& text, IP_Parts& parts);

/// The four parts joined by "." as they stand (nothing trimmed or checked).
QString Join_IP_Address(const IP_Parts& parts);

} // namespace image
