#pragma once

#include "project/table_rows.h"
#include "project/user_prompt.h"

#include <QString>

#include <functional>

namespace project {

/// @brief The OK of every editor dialog: @p validate first (it shows its own failure and
/// answers false), then @p save (an empty text on success, else the message, shown here).
/// True when the file was written and the dialog may close; the dialog stays open otherwise.
inline bool Validate_Then_Save(User_Prompt& prompt, const std::function<bool()>& validate,
                               const std::function<QString()>& save) {
    if (!validate())
        return false;
    const QString error = save();
    if (error.isEmpty())
        return true;
    prompt.Error(error);
    return false;
}

/// @brief The Cancel of every editor dialog: unchanged contents close at once; changed ones
/// close only when the user answers Yes to @p question.
inline bool Confirm_Discard(User_Prompt& prompt, bool changed, const QString& question) {
    return !changed || prompt.Ask_Yes_No(question);
}

/// @brief The OK step of a table editor whose file keeps only the rows above the end of its
/// table: when rows below that end still hold data the user is asked first. @p question holds
/// %1, the number of the end row (counted from 1), and %2, how many rows would be dropped.
/// True when nothing would be lost or the user answers Yes.
inline bool Confirm_Table_End(User_Prompt& prompt, const Table_End& end, const QString& question) {
    if (end.end_row < 0 || end.rows_beyond == 0)
        return true;
    return prompt.Ask_Yes_No(question.arg(end.end_row + 1).arg(end.rows_beyond));
}

} // namespace project
