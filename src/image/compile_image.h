#pragma once

#include "image/image_state.h"
#include "project/project_paths.h"

#include <QString>

namespace image {

/// @brief Rebuilds @p image from the project's three files (each may be missing): parameter block,
/// HART bank, BACnet objects, then both bank buffers. Returns an empty text on success. Otherwise
/// the message to report (file, table, row and attribute where known); the image is then incomplete
/// and Write_Image_Files refuses it.
QString Compile_Image(const project::Project_Paths& files, Image_State& image);

/// Sum of the parameter block's bytes before the checksum field.
uint32_t Parameter_Block_Checksum(std::span<const uint8_t> block);

} // namespace image
