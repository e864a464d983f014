#pragma once

#include "image/image_state.h"

#include <QString>

namespace image {

/// "bin": the project's sub-folder that receives the image files.
QString Image_Folder(const QString& project_folder);
QString Bank1_File(const QString& project_folder);
QString Bank2_File(const QString& project_folder);

/// @brief Replaces bin/bank1.bin and bin/bank2.bin of the project with the compiled image,
/// creating "bin" when it is missing. Both files change together or neither does.
/// Returns an empty text on success, else the message to show (an incomplete image, that is
/// one whose compile failed, is refused and nothing is written).
QString Write_Image_Files(const Image_State& image, const QString& project_folder);

} // namespace image
