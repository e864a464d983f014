#pragma once

#include <QString>

namespace project {

/// @brief Every message box and Yes/No question goes through here, so the core and the
/// tests never need a screen. The GUI answers with real message boxes.
class User_Prompt {
public:
    virtual ~User_Prompt() = default;
    /// Error box (error icon, OK button).
    virtual void Error(const QString& text) = 0;
    /// Information box (OK button).
    virtual void Information(const QString& text) = 0;
    /// Warning box (warning icon, OK button).
    virtual void Warning(const QString& text) = 0;
    /// Confirmation box (question icon, Yes and No); true only for Yes.
    virtual bool Ask_Yes_No(const QString& text) = 0;
    /// Confirmation box with Yes, No and Cancel; true only for Yes.
    virtual bool Ask_Yes_No_Cancel(const QString& text) { return Ask_Yes_No(text); }
};

} // namespace project
