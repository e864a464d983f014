#pragma once

#include "lang/string_table.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QLabel;

namespace image {

/// @brief The small modal window shown while the updater runs: how long it has been running.
/// It has no way to stop the updater (which may be writing flash) and cannot be closed by the
/// user; the update dialog closes it when the updater has ended or the wait is over.
class TFUpdate_Wait : public QDialog {
    Q_OBJECT

public:
    TFUpdate_Wait(const lang::String_Table& texts, QWidget* parent = nullptr);

    /// Shows the window (modal, not blocking the caller) and starts counting.
    void Start();
    /// Stops counting and closes the window.
    void Stop();

    QLabel* L_Elapsed = nullptr;

protected:
    void reject() override {} // Esc and the close box: the wait goes on
    void closeEvent(QCloseEvent* event) override;

private:
    void Show_Elapsed();

    const lang::String_Table& texts_;
    QTimer tick_;
    QElapsedTimer clock_;
    bool stopping_ = false;
};

} // namespace image
