#pragma once

#include "app/session_state.h"
#include "comm/pargen_record.h"
#include "project/dialog_header.h"
#include "project/user_prompt.h"

#include <QDialog>
#include <QHash>
#include <QList>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace comm {

class Category_Panel;

using Octet_Boxes = std::array<QLineEdit*, 4>;

/// @brief The communication settings dialog: edits `ParGen.xml` of the active project in
/// five collapsible panels, validates on OK and saves. Created once, reloaded at every showing.
class TFParGen : public QDialog {
    Q_OBJECT

public:
    TFParGen(app::Session_State& state, project::User_Prompt& prompt, QWidget* parent = nullptr);

    /// Loads the project's file and shows the dialog modally. An unreadable file is reported
    /// and the dialog does not open (Rejected).
    int Show_For_Active_Project();

    /// Applies the captions and hints of the string table (panel titles stay as built).
    void Set_Lang();
    /// Loads the file into the controls; false (with @p error set) when it cannot be read.
    bool FormShow(QString& error);
    /// Visibility and enabling by the BACnet type and the cable DHCP flag.
    void Move_GroupBoxs();
    /// Validates the controls; shows the first failing message and returns false.
    bool Controllo_Dati();
    void Btn_OKClick();
    void Btn_CancelClick();
    /// Scrolls the panel group by the wheel's own step: a full notch (120) scrolls the system's
    /// wheel lines, the small steps of a touchpad add up to the same (upwards when positive).
    void Wheel_Scroll(int angle_delta);
    /// Unfolds the panel that holds @p field, scrolls it into sight and gives it the focus.
    void Show_Field(QWidget* field);

    void Record_To_Controls(const ParGen_Record& record);
    ParGen_Record Controls_To_Record() const;

    bool Is_Change = false;

    Category_Panel* CP_Ethernet_Connection = nullptr;
    Category_Panel* CP_HART_Master = nullptr;
    Category_Panel* CP_BACnet_Slave = nullptr;
    Category_Panel* CP_Web_Pages = nullptr;
    Category_Panel* CP_Ethernet = nullptr;
    QScrollArea* Panel_Group = nullptr;

    QLineEdit* E_EthConn_Device_Name = nullptr;
    QCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
    QCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
    QCheckBox* CB_EthConn_Enable_DNS = nullptr;
    Octet_Boxes E_EthConn_Pri_DNS{};
    Octet_Boxes E_EthConn_Sec_DNS{};

    QComboBox* CB_HART_Master_Address = nullptr;
    QComboBox* CB_HART_Master_RetryLimit = nullptr;
    QCheckBox* CB_HART_Master_Diagnostic = nullptr;
    QLineEdit* E_HART_Master_Diagnostic = nullptr;

    QComboBox* CB_BACnet_Slave_Type = nullptr;
    Octet_Boxes E_BACnet_IP_Slave_IP{};
    Octet_Boxes E_BACnet_IP_Slave_SM{};
    QCheckBox* CB_BACnet_IP_Slave_GAT = nullptr;
    Octet_Boxes E_BACnet_IP_Slave_GAT{};
    QLineEdit* E_BACnet_IP_Slave_Port = nullptr;
    QLineEdit* E_BACnet_IP_Slave_Device_Name = nullptr;
    QLineEdit* E_BACnet_IP_Slave_Device_Identifier = nullptr;
    QComboBox* CB_BACnet_MSTP_Slave_Baudrate = nullptr;
    QComboBox* CB_BACnet_MSTP_Slave_Parity = nullptr;
    QLineEdit* E_BACnet_MSTP_Slave_Device_Name = nullptr;
    QLineEdit* E_BACnet_MSTP_Slave_MAC_Address = nullptr;
    QLineEdit* E_BACnet_MSTP_Slave_Max_Master = nullptr;
    QLineEdit* E_BACnet_MSTP_Slave_Max_Info_Frame = nullptr;
    QLineEdit* E_BACnet_MSTP_Slave_Device_Instance = nullptr;
    QLineEdit* E_BACnet_MSTP_Slave_Network = nullptr;
    QCheckBox* CB_BACnet_Slave_Desc_32_Chars = nullptr;

    QLineEdit* E_WebPages_User = nullptr;
    QLineEdit* E_WebPages_Password = nullptr;

    Octet_Boxes E_Ethernet_IP{};
    Octet_Boxes E_Ethernet_SM{};
    QCheckBox* CB_Ethernet_En_GAT = nullptr;
    Octet_Boxes E_Ethernet_GAT{};

    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void Build_Ethernet_Connection();
    void Build_HART_Master();
    void Build_BACnet_Slave();
    void Build_Web_Pages();
    void Build_Ethernet();
    void Build_Buttons(QVBoxLayout* layout);
    void Build_Key_Chains();
    void Watch_Changes();
    void Watch_Wheel(QWidget* root);
    void Map_Checked_Fields();

    QLabel* New_Label();
    QLineEdit* New_Edit(const QString& name, int max_length = 0);
    QCheckBox* New_Check(const QString& name);
    QComboBox* New_Combo(const QString& name, const QStringList& items);
    Octet_Boxes New_Octets(const QString& base);
    QWidget* Add_Row(Category_Panel* panel, QWidget* caption, const QList<QWidget*>& fields);
    QWidget* Add_Octet_Row(Category_Panel* panel, QWidget* caption, const Octet_Boxes& boxes);

    /// "." in an octet box: the focus moves to the next box of its chain.
    bool Octet_Key_Press(QLineEdit* box);

    app::Session_State& state_;
    project::User_Prompt& prompt_;
    project::Dialog_Header header_;

    // Captions by string id, applied by Set_Lang.
    QList<std::pair<QWidget*, int>> captions_;
    QList<std::pair<QWidget*, int>> hints_;
    // Octet box -> the next box of its chain (null: the dot is only swallowed).
    QHash<QLineEdit*, QLineEdit*> next_octet_;

    // Validation message id -> the field its check reads.
    QHash<int, QWidget*> checked_fields_;
    // Wheel scrolling not yet applied: less than a pixel, kept for the next step.
    double wheel_pending_ = 0;

    QList<QWidget*> bacnet_ip_rows_;
    QList<QWidget*> bacnet_mstp_rows_;
};

} // namespace comm
