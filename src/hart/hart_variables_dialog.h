#pragma once

#include "app/session_state.h"
#include "project/table_rows.h"
#include "project/table_snapshot.h"
#include "project/user_prompt.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace project {
class Table_View;
}

namespace hart {

class HART_Variables_Model;
class TFHART_Scan;

/// @brief "Definition of HART Variables List": the HART polling list of the project, edited in
/// a grid of 100 rows and saved to HART_Variables.xml on OK after validation.
class TFHARTVariables : public QDialog {
    Q_OBJECT

public:
    TFHARTVariables(app::Session_State& state, project::User_Prompt& prompt,
                    QWidget* parent = nullptr);

    void Set_Lang();
    /// Reloads the grid from the project file. False, after the error box, when the file
    /// cannot be read: the dialog must not open then.
    bool FormShow();
    /// FormShow, then the modal dialog. Rejected when the file could not be read.
    int Execute();

    /// Validates the grid; shows the first failure and returns false.
    bool Controllo_dati();
    /// Validates, asks before rows below the first empty address would be dropped, saves and
    /// closes with OK; stays open on any failure or a No.
    void Btn_OKClick();
    /// Cancel, Esc and the close box: asks before discarding changed rows.
    void reject() override;
    void Btn_Del_RowClick();
    void Btn_Ins_RowClick();
    void Btn_Copy_RowClick();
    void Btn_Paste_RowClick();
    /// Fills the scan dialog's address from ParGen.xml, shows it and imports what it found.
    void Btn_ScanClick();
    /// Imports the ticked scan variables when the scan dialog closed with @p result OK after
    /// a scan that found devices; asks first whether to overwrite the table.
    void Import_Scan(int result);
    /// Ticked rows of the scan dialog's result grid.
    int HART_Scan_Count_Var() const;

    HART_Variables_Model& Model() const { return *model_; }

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    project::Table_View* ASG = nullptr;
    QPushButton* Btn_Del_Row = nullptr;
    QPushButton* Btn_Ins_Row = nullptr;
    QPushButton* Btn_Copy_Row = nullptr;
    QPushButton* Btn_Paste_Row = nullptr;
    QPushButton* Btn_Scan = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    TFHART_Scan* Scan_Dialog = nullptr;

    /// A row was copied in this showing; Paste refuses otherwise.
    bool Do_Copy = false;

private:
    void Init_Table();
    void Fit_Window();
    /// False when the user keeps rows that the save would drop: the empty row is then selected.
    bool Confirm_Table_End();
    QPushButton* Make_Button(const char* name);
    project::Table_Grid Grid() const;

    app::Session_State& state_;
    project::User_Prompt& prompt_;
    HART_Variables_Model* model_ = nullptr;
    /// The rows as loaded, to tell whether Cancel discards anything.
    project::Table_Snapshot loaded_;
};

} // namespace hart
