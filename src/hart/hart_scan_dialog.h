#pragma once

#include "app/session_state.h"
#include "hart/scan_records.h"
#include "hart/scan_worker.h"

#include <QDialog>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace hart {

/// @brief "HART Scan": has the converter search its HART network, shows the progress, lists
/// the variables found and lets the user tick those to import. Each showing runs its own
/// scan thread, stopped when the dialog closes. The result grid and the device count of the
/// last scan stay readable after the dialog has closed.
class TFHART_Scan : public QDialog {
    Q_OBJECT

public:
    enum View { View_Parameters = 1, View_Waiting = 2, View_Results = 3, View_Failed = 4 };

    explicit TFHART_Scan(app::Session_State& state, QWidget* parent = nullptr);
    ~TFHART_Scan() override;

    void Set_Lang();
    /// Starts this showing's scan thread and shows the parameters.
    void FormShow();
    /// Stops and destroys the scan thread.
    void FormClose();
    /// FormShow, then the modal dialog.
    int Execute();

    void Btn_StartScanClick();
    void Btn_ScanAgainClick();
    void Btn_SelectAllClick(bool checked);
    void Show_Form(int status);
    /// Lists the variables of the first @p num_devices records.
    void Show_Vars(const QList<Device_Record>& records, int num_devices);
    /// Resets the grid to one empty row.
    void Init_Table(bool init);

    /// Devices the last scan found (0 until a scan succeeds).
    int Num_Devices() const { return num_devices_; }
    int Current_View() const { return view_; }
    Scan_Result_Model& Model() const { return *model_; }

    /// Port and tick of the scan; tests point them to a simulator.
    Scan_Options Options;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QWidget* P_Parameters = nullptr;
    QWidget* P_Wait = nullptr;
    QWidget* P_Result = nullptr;
    QLabel* L_IP_Address = nullptr;
    std::array<QLineEdit*, 4> E_Discovery_IP{};
    QLabel* L_Discovery_NumDevs = nullptr;
    QComboBox* CB_Discovery_NumDevs = nullptr;
    QLabel* L_Wait = nullptr;
    QLabel* L_Discovery_Result = nullptr;
    QProgressBar* PB_Read_Device = nullptr;
    QTableView* ASG = nullptr;
    QPushButton* Btn_StartScan = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
    QPushButton* Btn_ScanAgain = nullptr;
    QPushButton* Btn_SelectAll = nullptr;
    QPushButton* Btn_UnSelectAll = nullptr;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Build_Parameters();
    QWidget* Build_Wait();
    QWidget* Build_Result();
    QPushButton* Make_Button(const char* name);
    void Show_Record_Progress(int index, int count);

    app::Session_State& state_;
    Scan_Result_Model* model_ = nullptr;
    std::unique_ptr<Scan_Thread> TR_HART_Scan;
    int num_devices_ = 0;
    int view_ = View_Parameters;
};

} // namespace hart
