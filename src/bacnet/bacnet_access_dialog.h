#pragma once

#include "app/session_state.h"
#include "bacnet/bacnet_object_types.h"
#include "project/table_rows.h"
#include "project/table_snapshot.h"
#include "project/user_prompt.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace project {
class Table_View;
}

namespace bacnet {

class BACnet_Access_Model;
class TFBACnet_Eng_Unit;

/// @brief "BACnet Set Access": the BACnet objects of the project in two grids, "BACnet in
/// Read" and "BACnet in Write", saved to BACnet_Slave.xml on OK after validation.
class TFBACnetSlaveSetAccess : public QDialog {
    Q_OBJECT

public:
    TFBACnetSlaveSetAccess(app::Session_State& state, project::User_Prompt& prompt,
                           QWidget* parent = nullptr);

    void Set_Lang();
    /// Reloads both grids from the project files. False, after the error box, when the
    /// access file cannot be read: the dialog must not open then.
    bool FormShow();
    /// FormShow, then the modal dialog. Rejected when the file could not be read.
    int Execute();

    /// Validates both grids; shows the first failure and returns false.
    bool Controllo_dati();
    /// The OK button: validates, asks before rows below a table's end are dropped, saves and
    /// closes with OK; stays open on any failure or No.
    void bitbtn1Click();
    void Btn_DelRow_Click();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    /// Cancel: closes at once when nothing changed, else only after the user agrees.
    void reject() override;
    /// Opens the unit picker on the Eng. Unit cell of @p row of the page shown.
    void Open_Unit_Picker(Access_Table table, int row);

    BACnet_Access_Model& Model(Access_Table table) const;
    project::Table_View* Grid_View(Access_Table table) const;
    /// The table of the page shown.
    Access_Table Shown_Table() const;
    TFBACnet_Eng_Unit* Unit_Picker() const { return unit_picker_; }

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QTabWidget* PC_BACnet = nullptr;
    QWidget* TS_BACnet_in_Read = nullptr;
    QWidget* TS_BACnet_in_Write = nullptr;
    project::Table_View* ACG_BACnet_in_Read = nullptr;
    project::Table_View* ACG_BACnet_in_Write = nullptr;
    QPushButton* Btn_DelRow = nullptr;
    QPushButton* Btn_InsRow = nullptr;
    QPushButton* Btn_CopyRow = nullptr;
    QPushButton* Btn_PasteRow = nullptr;
    QPushButton* bitbtn1 = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    /// Sizes of the data area for read and write objects, set at every showing.
    int NByte_IN = 0;
    int NByte_OUT = 0;
    /// 32-character object names: 1000 rows and objects instead of 2000.
    bool Desc_Lenght = false;
    /// A row was copied from the read (write) grid in this showing.
    bool Do_Copy_Read = false;
    bool Do_Copy_Write = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    project::Table_View* Make_Grid(BACnet_Access_Model* model, const char* name);
    QPushButton* Make_Button(const char* name);
    project::Table_Grid Grid(Access_Table table) const;
    bool Confirm_Table_End();
    void Fit_Window();
    void Select_Row(Access_Table table, int row);

    app::Session_State& state_;
    project::User_Prompt& prompt_;
    BACnet_Access_Model* read_model_ = nullptr;
    BACnet_Access_Model* write_model_ = nullptr;
    TFBACnet_Eng_Unit* unit_picker_ = nullptr;
    std::array<project::Table_Snapshot, 2> loaded_; // read, write
};

} // namespace bacnet
