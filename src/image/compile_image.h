#pragma once

#include "image/image_state.h"

#include <QString>

namespace app {
struct Session_State;
}

namespace image {

/// The three project files the compile reads; each may be missing.
struct Project_Files {
    QString ParGen_File;
    QString HART_Variables_File;
    QString BACnet_Slave_File;

    /// The files of the project in @p folder ("ParGen.xml", "HART_Variables.xml",
    /// "BACnet_Slave.xml").
    static Project_Files In_Folder(const QString& folder);
    /// The active project's files.
    static Project_Files Of_Session(const app::Session_State& state);
};

/// @brief Rebuilds @p image from the project files: parameter block, HART bank, BACnet objects,
/// then both bank buffers.
/// Returns an empty text on success. Otherwise the message to report (file, table, row and
/// attribute where known); the image is then incomplete and Write_Image_Files refuses it.
QString Compile_Image(const Project_Files& files, Image_State& image);

/// Sum of the parameter block's bytes before the checksum field.
uint32_t Parameter_Block_Checksum(std::span<const uint8_t> block);

} // namespace image
