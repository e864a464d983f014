#pragma once

#include "app/session_state.h"
#include "project/user_prompt.h"

#include <QWidget>

class QFrame;
class QGridLayout;
class QLabel;
class QTimer;
class QToolButton;

namespace comm {
class TFParGen;
}

namespace hart {
class TFHARTVariables;
}

namespace image {
class TFBoot;
}

namespace bacnet {
class TFBACnetSlaveSetAccess;
}

namespace app {

class TFAbout;
class TFNew_Project;
class TFOpenConf;
class TFSoftOptions;
class Version_Checker;

/// @brief The main window: the active project and the numbered steps of a configuration.
/// Holds no project data; every step opens its own dialog, which reads and writes its file.
class TFQuillonFirmWare : public QWidget {
    Q_OBJECT

public:
    TFQuillonFirmWare(Session_State& state, project::User_Prompt& prompt,
                      QWidget* parent = nullptr);
    ~TFQuillonFirmWare() override;

    /// Applies the texts of the string table and the active-configuration labels.
    void Set_Lang();
    /// The one click handler of the step and header buttons.
    void Btn_Click(QObject* sender);

    void Create_New_Project();
    void Open_Project();

    /// Shows a message the start-up produced (an unreadable settings file) once the window is up.
    void Show_Startup_Message(const QString& text);

    /// First version check this long after the timer is enabled, later ones this far apart.
    static constexpr int First_Update_Period_Ms = 60 * 1000;
    static constexpr int Next_Update_Period_Ms = 2 * 60 * 60 * 1000;
    /// Tests shorten the periods; the first one applies only while no check was made yet.
    void Set_Update_Periods(int first_ms, int next_ms);
    /// Runs when both Enable_Internet and Enable_Update are set, else stops. A running timer
    /// keeps its period.
    void Set_Update_Timer();
    /// One periodic version check: LL_Update shows the download link when a newer version exists.
    void Timer_UpdateTimer();
    void LL_UpdateLinkClick(const QString& link);

    QTimer* Timer_Update = nullptr;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* LL_Update = nullptr;
    QToolButton* Btn_Info = nullptr;
    QToolButton* Btn_Opz = nullptr;
    QToolButton* Btn_Close = nullptr;
    QLabel* L_Begin = nullptr;
    QLabel* L_Name_Conf = nullptr;
    QLabel* L_Name_Conf_L2 = nullptr;
    QLabel* L_Step[8] = {};
    QToolButton* Btn_New = nullptr;
    QToolButton* Btn_Open = nullptr;
    QToolButton* Btn_Prm_Gen = nullptr;
    QToolButton* Btn_HART_Variables = nullptr;
    QToolButton* Btn_BACnet_SetAccess = nullptr;
    QToolButton* Btn_BACnet_EDE_File = nullptr;
    QToolButton* Btn_CreateBin = nullptr;
    QLabel* L_Tolmex = nullptr;

    TFNew_Project* New_Project_Dialog() const { return new_project_; }
    TFOpenConf* Open_Conf_Dialog() const { return open_conf_; }
    comm::TFParGen* Par_Gen_Dialog() const { return par_gen_; }
    hart::TFHARTVariables* HART_Variables_Dialog() const { return hart_variables_; }
    image::TFBoot* Boot_Dialog() const { return boot_; }
    TFSoftOptions* Options_Dialog() const { return options_; }
    TFAbout* About_Dialog() const { return about_; }
    Version_Checker& Checker() const { return *checker_; }
    bacnet::TFBACnetSlaveSetAccess* BACnet_Access_Dialog() const { return bacnet_access_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Build_Header(QGridLayout* grid);
    void Build_Steps(QGridLayout* grid);
    QToolButton* Make_Step_Button(const QString& name, int icon);
    void Show_Active_Configuration();
    void Show_Update_Link(bool newer);

    // The steps behind a project. Each opens its dialog, modal.
    void Show_Communication_Settings();
    void Show_HART_Variables();
    void Show_BACnet_Access();
    void BACnet_EDE_File();
    void Update_Device();
    void Show_About();
    void Show_Options();

    Session_State& state_;
    project::User_Prompt& prompt_;
    TFNew_Project* new_project_ = nullptr;
    TFOpenConf* open_conf_ = nullptr;
    comm::TFParGen* par_gen_ = nullptr;
    hart::TFHARTVariables* hart_variables_ = nullptr;
    image::TFBoot* boot_ = nullptr;
    TFAbout* about_ = nullptr;
    TFSoftOptions* options_ = nullptr;
    Version_Checker* checker_ = nullptr;
    int next_update_period_ms_ = Next_Update_Period_Ms;
    bool update_checked_ = false;
    bacnet::TFBACnetSlaveSetAccess* bacnet_access_ = nullptr;
};

/// @brief Loads the texts of @p language and has every window, open or not yet shown, apply
/// them at once. Language_Name keeps its value: the choice is saved only when the options are
/// confirmed.
void Change_Language(Session_State& state, const QString& language);

} // namespace app
