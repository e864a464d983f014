#pragma once

#include "app/session_state.h"
#include "image/update_device.h"
#include "project/dialog_header.h"
#include "project/user_prompt.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace image {

class TFUpdate_Wait;

/// @brief The device update dialog in its Ethernet form: the converter's IP address, what to
/// send and Read Back. Execute checks that the converter answers, writes the updater's script
/// and runs the updater; the window keeps painting all along and stays open afterwards.
class TFBoot : public QDialog {
    Q_OBJECT

public:
    TFBoot(app::Session_State& state, project::User_Prompt& prompt, QWidget* parent = nullptr);
    ~TFBoot() override;

    /// Texts, the IP address and the options from the session; focus on the first IP box.
    void FormShow();
    /// FormShow, then the modal dialog.
    int Execute();
    void Set_Lang();
    /// Execute: echo check, then script and updater (asynchronous; Update_Finished follows).
    void Btn_UpdateClick();
    /// `ping_res` of the last echo check.
    int ping_res() const;
    bool Updating() const { return sequence_ && sequence_->Running(); }
    /// Cancel and Esc: refused while an update is under way.
    void reject() override;

    /// The echo the checks use (the system's by default); tests script it.
    void Set_Echo_Sender(std::unique_ptr<Echo_Sender> sender);
    /// Bounds of the echo check and of the wait for the updater; tests shorten them.
    void Set_Timing(const Update_Timing& timing) { timing_ = timing; }

    /// 1: the Ethernet form, the only one this converter uses.
    int Form_Type = 1;
    /// The project's BACnet type: 0 BACnet/IP, 1 BACnet MS/TP.
    int BACnetType = 0;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QWidget* P_IP = nullptr;
    QLabel* L_IP = nullptr;
    QLineEdit* E_IP1 = nullptr;
    QLineEdit* E_IP2 = nullptr;
    QLineEdit* E_IP3 = nullptr;
    QLineEdit* E_IP4 = nullptr;
    QWidget* P_Options = nullptr;
    QLabel* L_Update_Options = nullptr;
    QComboBox* CB_Update_Options = nullptr;
    QCheckBox* CB_Update_Option_Read_Back = nullptr;
    QPushButton* Btn_Update = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    TFUpdate_Wait* Wait_Window = nullptr;

Q_SIGNALS:
    /// An Execute has ended (after its message, if any, was shown).
    void Update_Finished(image::Update_Outcome outcome);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    QWidget* Build_IP_Panel();
    QWidget* Build_Options_Panel();
    QLineEdit* New_IP_Box(const char* name);
    QString Typed_IP_Address() const;
    /// The key "." never reaches an IP box; in the first three it moves to the next box.
    bool KeyPress(QLineEdit* box);
    void Keep_Dialog_Values();
    void Update_Done(image::Update_Outcome outcome, const QString& message);
    void Set_Busy(bool busy);

    app::Session_State& state_;
    project::User_Prompt& prompt_;
    std::unique_ptr<Echo_Sender> echo_;
    std::unique_ptr<Update_Sequence> sequence_;
    Update_Timing timing_;
};

} // namespace image
