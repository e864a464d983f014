#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QProcess;

namespace image {

/// How a wait for a started program ended.
enum class Launch_Outcome {
    Ended,       // the program ended; its exit code is reported
    Not_Started, // it could not be started
    Timed_Out,   // it was still running when the bound passed; it keeps running
};

/// @brief Starts an external program and waits for it without blocking the event loop
/// (`Start_Program`). A program still running at the bound is never killed: it may be writing
/// the converter's flash. It is left to end on its own.
class Program_Launcher : public QObject {
    Q_OBJECT

public:
    static constexpr int Default_Bound_Ms = 150000;

    explicit Program_Launcher(QObject* parent = nullptr);
    ~Program_Launcher() override;

    /// How long Start_Program waits; tests shorten it.
    void Set_Bound_Ms(int bound_ms) { bound_.setInterval(bound_ms); }
    int Bound_Ms() const { return bound_.interval(); }

    /// @brief Starts @p program (NomeSW) with the command-line text @p parameter, its window
    /// shown normally when @p tipo is 0 and hidden otherwise, in the program's own folder.
    /// Started (when it did) and then Finished follow, once.
    void Start_Program(const QString& program, const QString& parameter, int tipo);

    bool Waiting() const { return process_ != nullptr; }
    /// Time since the program started.
    qint64 Elapsed_Ms() const { return clock_.isValid() ? clock_.elapsed() : 0; }

Q_SIGNALS:
    void Started();
    /// @p exit_code: the program's exit code when it Ended normally, -1 when it crashed.
    /// @p reason: why it could not be started.
    void Finished(image::Launch_Outcome outcome, int exit_code, const QString& reason);

private:
    void Finish(Launch_Outcome outcome, int exit_code, const QString& reason);
    void Release_Process();

    QProcess* process_ = nullptr;
    QTimer bound_;
    QElapsedTimer clock_;
};

} // namespace image
