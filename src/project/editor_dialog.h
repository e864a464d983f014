#pragma once

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

} // namespace project
