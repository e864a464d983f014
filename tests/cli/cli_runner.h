#pragma once

#include <QProcess>
#include <QStringList>

/// What a command-line program printed and how it ended (-1 when it did not end normally).
struct Cli_Result {
    int exit_code = -1;
    QByteArray out;
    QByteArray err;
};

/// Runs @p program and collects what it printed.
inline Cli_Result Run_Program(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    Cli_Result result;
    if (!process.waitForFinished(60000))
        return result;
    result.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

/// Runs the built quillon-cli (path from QUILLON_CLI).
inline Cli_Result Run_Cli(const QStringList& arguments) {
    return Run_Program(qEnvironmentVariable("QUILLON_CLI"), arguments);
}
