#pragma once

#include "image/image_state.h"

#include <QString>

namespace image {

/// @brief Encodes the communication settings file into the parameter block, sets the HART
/// master fields of the HART bank header and the description-length option.
/// A missing file changes nothing. Returns an empty text, or the reason the compile must stop.
QString Build_Comm_Section(const QString& path, Image_State& image);

} // namespace image
