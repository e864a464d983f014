#pragma once

#include <QProcess>
#include <QStringList>

/// Runs the built quillon-cli (path from QUILLON_CLI) and collects what it printed.
struct Cli_Result {
    int exit_code = -1;
    QByteArray out;
    QByteArray err;
};

inline Cli_Result Run_Cli(const QStringList& arguments) {
    QProcess process;
    process.start(qEnvironmentVariable("QUILLON_CLI"), arguments);
    Cli_Result result;
    if (!process.waitForFinished(60000))
        return result;
    result.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
