#pragma once

#include <QString>
#include <QStringList>

namespace app {

/// The language page of the options shows this many languages at a time.
inline constexpr int Langs_Per_Page = 6;

/// @brief The language files of @p language_folder ("*.lng", extension kept), sorted without
/// regard to case. Only plain files count: folders, links and read-only files are left out.
QStringList Create_Lang_List(const QString& language_folder);

/// Number of language pages for @p count files: 0 when there are none.
int Lang_Pages(int count);

/// Number of languages shown on page @p page (from 1): at most six, never below zero.
int Langs_On_Page(int count, int page);

/// Index in the list of slot @p slot (from 1) of page @p page (from 1).
int Lang_Index(int page, int slot);

/// The language's name: the file name without its last four characters (".lng").
QString Lang_Name(const QString& file_name);

/// @brief The pictures to try for a language's flag, in order: "<name>.bmp", then
/// "DefaultFlag.bmp", each only when it exists. The first one that loads is shown.
QStringList Flag_Files(const QString& language_folder, const QString& name);

} // namespace app
