#pragma once

#include "app/session_state.h"

namespace app {

/// Sets the program folders under @p exe_folder and creates those that are missing.
void Init_Folders(Session_State& state, const QString& exe_folder);

/// Reads Quillon.xml from Exe_Folder, each value with its own default. Returns an empty text,
/// or the parser's reason when the file exists but cannot be read (defaults are used).
QString Load_Settings(Session_State& state);

/// Writes Quillon.xml atomically. Empty text on success, else the reason.
QString Save_Setting(Session_State& state);

/// Recomputes every project file path from Project_Folder.
void Set_Files(Session_State& state);

/// Project_Folder from Project_Name when that folder still exists; else empty.
void Reopen_Last_Project(Session_State& state);

/// @brief The start-up work of the shell, in the order the main window's creation needs it:
/// folders, settings, captions, texts, last project, file paths, empty clipboard.
/// Returns the settings warning in the language just loaded (empty when there is none).
QString Start_Session(Session_State& state, const QString& exe_folder);

QString Settings_File(const Session_State& state);

} // namespace app
