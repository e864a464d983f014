#pragma once

#include "image/image_state.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>

namespace image {

/// @brief Reads the BACnet access file into the object records, the description area and the
/// per-type counts of @p image (already zeroed), using its description-length option.
/// @p base is the device address of bank 2. A missing file leaves everything zero.
/// Returns an empty text, or the reason the compile must stop (naming file, table, row and
/// attribute where there is one).
QString Build_BACnet_Objects(const QString& path, uint32_t base, Image_State& image);

/// Stores the per-type counts in the parameter block.
void Copy_Object_Type_Counts(Image_State& image);

/// Writes the records, the description area and the zero fill at @p offset of @p buffer;
/// returns the offset after the area (offset + BACnet_Area_Size).
size_t Write_BACnet_Area(const Image_State& image, std::span<uint8_t> buffer, size_t offset);

} // namespace image
