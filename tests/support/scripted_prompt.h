#pragma once

#include "project/user_prompt.h"

#include <QList>
#include <QStringList>

/// Records every message and answers Yes/No questions from a script (default No).
class Scripted_Prompt final : public project::User_Prompt {
public:
    QStringList errors;
    QStringList informations;
    QStringList warnings;
    QStringList questions;
    QList<bool> answers; // taken in order; No when exhausted

    void Error(const QString& text) override { errors << text; }
    void Information(const QString& text) override { informations << text; }
    void Warning(const QString& text) override { warnings << text; }
    bool Ask_Yes_No(const QString& text) override {
        questions << text;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void Clear() {
        errors.clear();
        informations.clear();
        warnings.clear();
        questions.clear();
        answers.clear();
    }
};
