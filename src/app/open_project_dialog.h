#pragma once

#include "app/session_state.h"
#include "project/dialog_header.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace app {

/// @brief Open configuration dialog: lists the project folders and returns the chosen name.
class TFOpenConf : public QDialog {
    Q_OBJECT

public:
    explicit TFOpenConf(Session_State& state, QWidget* parent = nullptr);

    void Set_Lang();
    /// Lists the project folders and preselects the active project (or the first entry).
    void FormShow();

    /// The name chosen in the list; empty when the list is empty.
    QString Name_Conf;
    QStringList SL;

    QListWidget* ListBox1 = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session_State& state_;
    project::Dialog_Header header_;
    QLabel* Label1 = nullptr;
};

} // namespace app
