#pragma once

#include "image/hart_bank.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace image {

/// Empty list, every header field 0 except `Hart_type` 1.
void Reset_Hart_Bank(THart_Bank& bank);

/// @brief Reads the HART variables file into @p bank; @p base is the bank's device address.
/// A missing file leaves the bank empty. Returns an empty text, or the reason the compile
/// must stop (unreadable file, no HART element or HART_Variables table, more rows than the
/// table holds, or a list that would run into the web-pages image after bank 2).
QString Build_Hart_Bank(const QString& path, uint32_t base, THart_Bank& bank);

/// Bytes the section takes: header, records and request bytes.
size_t Hart_Section_Size(const THart_Bank& bank);

/// Writes header, records and request bytes at @p offset; returns the offset after them.
/// The caller made sure that Hart_Section_Size bytes fit.
size_t Write_Hart_Section(const THart_Bank& bank, std::span<uint8_t> buffer, size_t offset);

/// "Var" 0, "Var Burst" 1, any other text 2 (command).
uint32_t Hart_Type_Code(const QString& type);
/// Scaling bit of an Operations text: "x 10" 8 ... "x 1000000" 256; anything else 0.
uint32_t Hart_Operation_Code(const QString& operation);

} // namespace image
