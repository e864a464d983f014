#pragma once

#include "comm/pargen_record.h"
#include "lang/string_table.h"

#include <QString>

#include <optional>

namespace comm {

/// True when @p text holds any character other than "0".."9", "A".."Z", "a".."z" (a bad BACnet
/// device name); the empty text passes (false).
bool Check_Device_Name(const QString& text);

/// The message id of the first failing check, nothing when every check passes.
std::optional<int> First_Failing_Check(const ParGen_Record& record);

/// @brief The OK validation of the communication settings: the message of the first failing
/// check exactly as the error box shows it, or an empty text when every check passes.
QString Controllo_Dati(const ParGen_Record& record, const lang::String_Table& texts);

/// @brief Loads `ParGen.xml` of @p project_folder as the dialog does and validates it with the
/// built-in texts. Empty when it passes or the file is missing; the parse error when the file
/// cannot be read.
QString Check_Communication_Settings(const QString& project_folder);

} // namespace comm
