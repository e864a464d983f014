#pragma once

#include "app/session_state.h"
#include "project/dialog_header.h"
#include "project/user_prompt.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace app {

class Version_Checker;
class Version_Request;

/// @brief The software options: the language of the texts, the program's Internet use and
/// version check, and the two table preferences. Created once and reloaded on every showing.
class TFSoftOptions : public QDialog {
    Q_OBJECT

public:
    static constexpr int Lang_Slots = 6;

    TFSoftOptions(Session_State& state, project::User_Prompt& prompt, Version_Checker& checker,
                  QWidget* parent = nullptr);

    void Set_Lang();
    /// Reloads the language list and the check boxes from the session state.
    void FormShow();
    /// FormShow, then modal; QDialog::Accepted when the user confirmed.
    int Execute();

    void Create_Lang_List();
    void Update_Lang_Page(int page);
    /// Shared by Btn_Prev and Btn_Next.
    void Btn_NextClick(QObject* sender);
    /// Shared by the flag and the name of the six slots; @p slot from 1.
    void LangClick(int slot);
    void Update_CheckBox();
    void CB_En_ConClick();
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString& link);
    void Btn_OKClick();

    /// True while a version check started here is waiting for its answer.
    bool Checking() const { return !pending_.isNull(); }

    QStringList SL_Languages;
    int Show_Page = 1;
    QString Language_In_Use;

    QTabWidget* PC_Options = nullptr;
    QWidget* TS_Language = nullptr;
    QWidget* TS_Con_Options = nullptr;
    QWidget* TS_Soft_Settings = nullptr;
    QLabel* L_Sel_Lang = nullptr;
    QLabel* I_L[Lang_Slots] = {};
    QLabel* L_L[Lang_Slots] = {};
    QLabel* L_Page_Lang = nullptr;
    QPushButton* Btn_Prev = nullptr;
    QPushButton* Btn_Next = nullptr;
    QCheckBox* CB_En_Con = nullptr;
    QCheckBox* CB_Update = nullptr;
    QPushButton* Btn_Check_Update = nullptr;
    QLabel* LL_Check_Update = nullptr;
    QCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    QCheckBox* CB_DoubleClick_Auto_Size = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Build_Language_Page();
    QWidget* Build_Connection_Page();
    QWidget* Build_Settings_Page();
    void Show_Flag(int slot, const QString& name);
    void Show_Check_Result(bool newer);
    void Forget_Pending_Check();

    Session_State& state_;
    project::User_Prompt& prompt_;
    Version_Checker& checker_;
    project::Dialog_Header header_;
    QPointer<Version_Request> pending_;
    bool list_built_ = false;
};

} // namespace app
