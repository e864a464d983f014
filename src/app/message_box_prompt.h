#pragma once

#include "project/user_prompt.h"

class QWidget;

namespace app {

/// Answers the user prompts with modal message boxes over @p parent.
class Message_Box_Prompt final : public project::User_Prompt {
public:
    explicit Message_Box_Prompt(QWidget* parent = nullptr) : parent_(parent) {}
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    void Warning(const QString& text) override;
    bool Ask_Yes_No(const QString& text) override;
    bool Ask_Yes_No_Cancel(const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace app
