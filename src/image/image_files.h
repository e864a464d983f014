#pragma once

#include "image/image_state.h"

#include <QString>

#include <functional>
#include <optional>

namespace image {

/// The lock file held while the image of the project is being replaced.
QString Image_Lock_File(const QString& project_folder);

/// @brief The file-system steps that put a freshly written folder in the place of "bin".
/// The system's own by default; tests replace them to make one step fail.
struct Folder_Swap {
    /// Exchanges two folders in one step. True when done, false on failure, nothing when the
    /// file system cannot exchange (the swap then falls back to two renames).
    std::function<std::optional<bool>(const QString& first, const QString& second)> exchange;
    /// Renames a folder; false on failure.
    std::function<bool(const QString& from, const QString& to)> rename;

    static Folder_Swap System();
};

/// @brief Replaces bin/bank1.bin and bin/bank2.bin of the project with the compiled image.
///
/// The converter's updater must never get a new bank 1 with an old bank 2, so the two files
/// are never replaced one after the other. Both are written, with whatever else "bin" holds,
/// into a fresh sibling folder, which then takes the place of "bin" in one step (a folder
/// exchange where the file system has one; elsewhere the old folder is renamed aside first and
/// put back if the new one cannot take its place). A reader of "bin" thus finds both banks old
/// or both new; a bank that is a symbolic link is replaced, never written through. The whole
/// replacement holds the project's lock file, so two compiles never interleave, and first
/// clears what an interrupted one left behind.
///
/// Returns an empty text on success, else the message to show (an incomplete image, that is
/// one whose compile failed, is refused and nothing is written); a failure that could not put
/// the old banks back says where they are kept.
QString Write_Image_Files(const Image_State& image, const QString& project_folder,
                          const Folder_Swap& swap = Folder_Swap::System());

} // namespace image
