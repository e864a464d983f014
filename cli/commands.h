#pragma once

#include <QStringList>

#include <cstdio>

namespace cli {

/// Exit codes of every command: 0 done, 1 the work failed, 2 wrong usage.
enum Exit_Code { Exit_Ok = 0, Exit_Failed = 1, Exit_Usage = 2 };

/// A command receives its own arguments (the command name removed).
using Command_Function = int (*)(const QStringList& arguments);

struct Command {
    const char* name;
    const char* synopsis; // "strings [LANGUAGE_FILE]"
    const char* summary;
    Command_Function run;
};

int Run_Strings(const QStringList& arguments);
int Run_Compile(const QStringList& arguments);
int Run_Check(const QStringList& arguments);
int Run_Update(const QStringList& arguments);
int Run_Lang_Template(const QStringList& arguments);
int Run_Scan(const QStringList& arguments);
int Run_Ede(const QStringList& arguments);

void Print_Out(const QString& text);
void Print_Err(const QString& text);

} // namespace cli
