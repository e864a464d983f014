#pragma once

#include "support/temp_files.h"

#include <QDir>
#include <QFile>

/// @brief Puts a stand-in "Ethernet_Update.exe" (a shell script) into @p program_folder.
/// It records that it ran: the number of its arguments and its working folder in "ran.txt",
/// and the script it found in "seen.xml"; then it runs @p then (exit code, sleep ...).
inline bool Write_Stand_In_Updater(const QString& program_folder,
                                   const QByteArray& then = "exit 0") {
    const QString path = QDir(program_folder).filePath("Ethernet_Update.exe");
    const QByteArray body = "#!/bin/sh\n"
                            "here=$(dirname \"$0\")\n"
                            "printf '%s\\n%s\\n' \"$#\" \"$(pwd -P)\" > \"$here/ran.txt\"\n"
                            "cp \"$here/Ethernet_Update.xml\" \"$here/seen.xml\" 2>/dev/null\n" +
                            then + "\n";
    return Write_Test_File(path, body) &&
           QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}
