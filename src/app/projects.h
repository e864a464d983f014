#pragma once

#include "app/session_state.h"

#include <QStringList>

namespace app {

/// True when @p name would place a project anywhere but directly under the projects folder.
bool Escapes_Projects_Folder(const QString& name);

/// @brief Creates the project folder (with its `bin` sub-folder) and makes it the active project.
/// Returns 0 on success, else the id of the message to show (107, 106 or 105, checked in
/// that order). A name that would leave the projects folder, or one made only of blanks, is
/// refused with 105.
int Create_Project(Session_State& state, const QString& name);

/// Project folder names under @p projects_folder, in the order the file system gives them.
QStringList Load_Existing_Configuration(const QString& projects_folder);

/// Index of the first entry equal to @p name, letters a-z compared without regard to case; -1 if
/// none.
int Search_Open_Conf(const QStringList& names, const QString& name);

/// Makes @p name the active project; an empty name leaves no project active.
void Open_Chosen_Project(Session_State& state, const QString& name);

/// The active project's folder name as it stands under the projects folder ("" when none).
QString Active_Project_Folder_Name(const Session_State& state);

} // namespace app
