#pragma once

#include "app/session_state.h"
#include "project/dialog_header.h"
#include "project/user_prompt.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

/// @brief New configuration dialog: asks a name and creates the project folder.
class TFNew_Project : public QDialog {
    Q_OBJECT

public:
    TFNew_Project(Session_State& state, project::User_Prompt& prompt, QWidget* parent = nullptr);

    void Set_Lang();
    /// Empties the name box and focuses it; run before every showing.
    void FormShow();
    /// Checks the name, creates the project and closes with OK; reports the first failure.
    void Btn_OKClick();

    QLineEdit* E_New_Proj = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Session_State& state_;
    project::User_Prompt& prompt_;
    project::Dialog_Header header_;
    QLabel* Label1 = nullptr;
};

} // namespace app
