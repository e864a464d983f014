#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {
struct Session_State;
}

namespace bacnet {

/// @brief "Select the BACnet Engineering Unit": picks a unit by category and name.
/// Calling contract: put the current number text into E_Selected_EU and "-> " plus its name
/// into Label5 (Prepare does both), show modally, and on OK take the text of E_Selected_EU.
/// The category choice is kept from one showing to the next.
class TFBACnet_Eng_Unit : public QDialog {
    Q_OBJECT

public:
    explicit TFBACnet_Eng_Unit(const app::Session_State& state, QWidget* parent = nullptr);

    void Set_Lang();
    /// Fills E_Selected_EU with @p unit_text and Label5 with the name of that unit.
    void Prepare(const QString& unit_text);
    /// Refills the unit list for the category chosen.
    void FormShow();
    /// Prepare, FormShow, then the modal dialog.
    int Execute(const QString& unit_text);

    void CB_Select_TypeSelect();
    void Btn_Select_Eng_UnitClick();

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* L_Selected_EU = nullptr;
    QLineEdit* E_Selected_EU = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* L_Select_New = nullptr;
    QLabel* L_Select_Type = nullptr;
    QComboBox* CB_Select_Type = nullptr;
    QLabel* L_Select_Unit = nullptr;
    QComboBox* CB_Select_Unit = nullptr;
    QPushButton* Btn_Select_Eng_Unit = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;

private:
    const app::Session_State& state_;
};

} // namespace bacnet
