#include "image/program_launcher.h"

#include <QFileInfo>
#include <QProcess>

#include <utility>

#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace image {

Program_Launcher::Program_Launcher(QObject* parent) : QObject(parent) {
    bound_.setSingleShot(true);
    bound_.setInterval(Default_Bound_Ms);
    connect(&bound_, &QTimer::timeout, this, [this] {
        if (process_)
            Finish(Launch_Outcome::Timed_Out, -1, {});
    });
}

Program_Launcher::~Program_Launcher() {
    Release_Process();
}

void Program_Launcher::Start_Program(const QString& program, const QString& parameter, int tipo) {
    Release_Process();
    process_ = new QProcess(this);
    process_->setProgram(program);
    process_->setArguments(QProcess::splitCommand(parameter));
    process_->setWorkingDirectory(QFileInfo(program).absolutePath());
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->setStandardInputFile(QProcess::nullDevice());
#if defined(Q_OS_WIN)
    if (tipo != 0)
        process_->setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_HIDE;
        });
#else
    Q_UNUSED(tipo) // windows of other systems' programs follow their own settings
#endif
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Finish(Launch_Outcome::Not_Started, -1, process_->errorString());
    });
    connect(process_, &QProcess::finished, this,
            [this](int exit_code, QProcess::ExitStatus status) {
                Finish(Launch_Outcome::Ended, status == QProcess::NormalExit ? exit_code : -1, {});
            });
    connect(process_, &QProcess::started, this, [this] {
        clock_.start();
        bound_.start();
        Q_EMIT Started();
    });
    process_->start();
}

void Program_Launcher::Finish(Launch_Outcome outcome, int exit_code, const QString& reason) {
    bound_.stop();
    Release_Process();
    Q_EMIT Finished(outcome, exit_code, reason);
}

void Program_Launcher::Release_Process() {
    if (!process_)
        return;
    QProcess* process = std::exchange(process_, nullptr);
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    // Deleting a running QProcess would kill the program: let it end on its own instead.
    process->setParent(nullptr);
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
}

} // namespace image
