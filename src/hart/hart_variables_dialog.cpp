#include "hart/hart_variables_dialog.h"

#include "hart/hart_scan_dialog.h"
#include "hart/hart_variables.h"
#include "hart/hart_variables_model.h"
#include "hart/scan_import.h"
#include "lang/language_events.h"
#include "project/dialog_header.h"
#include "project/editor_dialog.h"
#include "project/grid_delegate.h"
#include "project/table_view.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace hart {

namespace {

using Col = HART_Variables_Model::Column;

constexpr int Str_Caption = 1200;
constexpr int Str_Subtitle = 1201;
constexpr int Str_First_Button = 1202; // OK, Cancel, Delete, Insert, Copy, Paste
constexpr int Str_First_Button_Hint = 1208;
constexpr int Str_Confirm_Delete = 1248;
constexpr int Str_Rows_Dropped = 1253; // file, rows in it, rows shown, rows dropped
constexpr int Str_Confirm_Table_End = 1260;
constexpr int Str_Exit_Without_Saving = 911;
constexpr int Str_Confirm_Overwrite = 1249;
constexpr int Str_Not_Imported = 1254;
constexpr int Str_Scan_Hint = 1255;

// Widths that show the headers and the usual contents; the Mnemonic takes what is left.
constexpr std::array<int, HART_Variables_Model::Column_Count> Column_Widths{
    40, 55, 120, 105, 90, 110, 120, 65, 50, 70, 90, 75, 170};
constexpr int Preferred_Height = 640;
// Enough for the header, the row buttons, a few rows and OK / Cancel.
constexpr QSize Minimum_Size(640, 420);

} // namespace

TFHARTVariables::TFHARTVariables(app::Session_State& state, project::User_Prompt& prompt,
                                 QWidget* parent)
    : QDialog(parent), state_(state), prompt_(prompt) {
    setObjectName(QStringLiteral("FHARTVariables"));
    auto* layout = new QVBoxLayout(this);
    const project::Dialog_Header header = project::Add_Dialog_Header(this, layout, state_.SW_Code);
    L_SW_Code = header.L_SW_Code;
    L_SW_Desc = header.L_SW_Desc;

    Btn_Del_Row = Make_Button("Btn_Del_Row");
    Btn_Ins_Row = Make_Button("Btn_Ins_Row");
    Btn_Copy_Row = Make_Button("Btn_Copy_Row");
    Btn_Paste_Row = Make_Button("Btn_Paste_Row");
    Btn_Scan = Make_Button("Btn_Scan");
    Btn_Scan->setText(QStringLiteral("Scan"));
    Scan_Dialog = new TFHART_Scan(state_, this);
    auto* row_buttons = new QHBoxLayout;
    for (QPushButton* button : {Btn_Del_Row, Btn_Ins_Row, Btn_Copy_Row, Btn_Paste_Row})
        row_buttons->addWidget(button);
    row_buttons->addStretch();
    row_buttons->addWidget(Btn_Scan);
    layout->addLayout(row_buttons);

    model_ = new HART_Variables_Model(this);
    ASG = new project::Table_View([this] { return state_.Table_Preferences(); }, this);
    ASG->setObjectName(QStringLiteral("ASG"));
    Init_Table();
    loaded_.Take(*model_);
    layout->addWidget(ASG, 1);

    const project::Dialog_Buttons buttons = project::Add_Dialog_Buttons(this, layout);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;

    connect(Btn_Del_Row, &QPushButton::clicked, this, &TFHARTVariables::Btn_Del_RowClick);
    connect(Btn_Ins_Row, &QPushButton::clicked, this, &TFHARTVariables::Btn_Ins_RowClick);
    connect(Btn_Copy_Row, &QPushButton::clicked, this, &TFHARTVariables::Btn_Copy_RowClick);
    connect(Btn_Paste_Row, &QPushButton::clicked, this, &TFHARTVariables::Btn_Paste_RowClick);
    connect(Btn_Scan, &QPushButton::clicked, this, &TFHARTVariables::Btn_ScanClick);
    connect(Btn_OK, &QPushButton::clicked, this, &TFHARTVariables::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFHARTVariables::reject);

    Fit_Window();
    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this,
            &TFHARTVariables::Set_Lang);
}

QPushButton* TFHARTVariables::Make_Button(const char* name) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    // Enter belongs to the grid; it must never press a button of the dialog.
    button->setAutoDefault(false);
    return button;
}

void TFHARTVariables::Init_Table() {
    ASG->setModel(model_);
    auto* delegate = new project::Grid_Delegate(ASG);
    delegate->Choice_Made = [](QAbstractItemModel& model, const QModelIndex& index) {
        if (index.column() == Col::Col_Type)
            static_cast<HART_Variables_Model&>(model).Apply_Read_Only_Rule(index.row());
    };
    ASG->setItemDelegate(delegate);
    ASG->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                         QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    ASG->horizontalHeader()->setHighlightSections(false);
    ASG->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < HART_Variables_Model::Column_Count; ++column)
        ASG->setColumnWidth(column, Column_Widths[column]);
    ASG->verticalHeader()->setDefaultSectionSize(ASG->fontMetrics().height() + 10);
    // The Params cell follows the row's Type each time its editor is about to open.
    ASG->Before_Edit = [this](const QModelIndex& index) {
        if (index.column() == Col::Col_Params)
            model_->Apply_Params_Rule(index.row());
    };
}

void TFHARTVariables::Fit_Window() {
    int width = ASG->frameWidth() * 2 + ASG->verticalScrollBar()->sizeHint().width();
    for (const int column_width : Column_Widths)
        width += column_width;
    const QMargins margins = layout()->contentsMargins();
    width += margins.left() + margins.right();
    project::Fit_To_Screen(this, QSize(width, Preferred_Height), Minimum_Size);
}

void TFHARTVariables::Set_Lang() {
    setWindowTitle(state_.Text(Str_Caption));
    L_SW_Desc->setText(state_.Text(Str_Subtitle));
    const QList<QPushButton*> buttons{Btn_OK,      Btn_Cancel,   Btn_Del_Row,
                                      Btn_Ins_Row, Btn_Copy_Row, Btn_Paste_Row};
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->setText(state_.Text(Str_First_Button + i));
        project::Set_Hint(buttons[i], state_.Text(Str_First_Button_Hint + i));
    }
    Btn_Scan->setToolTip(state_.Text(Str_Scan_Hint));
    model_->Set_Lang(state_.String_Table);
}

bool TFHARTVariables::FormShow() {
    const HART_Variables_Load load = Load_HART_Variables(state_.HART_Variables_File);
    if (load.status == project::Load_Status::Failed) {
        prompt_.Error(load.error);
        return false;
    }
    model_->Set_Rows(load.rows);
    loaded_.Take(*model_);
    Do_Copy = false;
    L_SW_Code->setText(state_.SW_Code);
    ASG->setCurrentIndex(model_->index(0, Col::Col_Enable));
    // The keyboard starts in the grid, never on a row button that Space would press.
    ASG->setFocus();
    if (load.dropped_rows > 0)
        prompt_.Information(state_.Text(Str_Rows_Dropped)
                                .arg(QFileInfo(state_.HART_Variables_File).fileName(),
                                     QString::number(load.dropped_rows + HART_Variables_Rows),
                                     QString::number(HART_Variables_Rows),
                                     QString::number(load.dropped_rows)));
    return true;
}

int TFHARTVariables::Execute() {
    if (!FormShow())
        return QDialog::Rejected;
    return exec();
}

bool TFHARTVariables::Controllo_dati() {
    const QString failure = Check_HART_Variables(model_->Rows(), state_.String_Table);
    if (failure.isEmpty())
        return true;
    prompt_.Error(failure);
    return false;
}

void TFHARTVariables::Btn_OKClick() {
    if (project::Validate_Then_Save(
            prompt_, [this] { return Controllo_dati() && Confirm_Table_End(); },
            [this] { return Save_HART_Variables(state_.HART_Variables_File, model_->Rows()); }))
        accept();
}

bool TFHARTVariables::Confirm_Table_End() {
    const project::Table_End end = project::Find_Table_End(
        model_->rowCount(),
        [this](int row) { return model_->Row(row).Device_Address.trimmed().isEmpty(); },
        [this](int row) { return project::Row_In_Use(Grid(), row); });
    if (project::Confirm_Table_End(prompt_, end, state_.Text(Str_Confirm_Table_End)))
        return true;
    ASG->setCurrentIndex(model_->index(end.end_row, Col::Col_Device_Address));
    ASG->selectRow(end.end_row);
    ASG->setFocus();
    return false;
}

void TFHARTVariables::reject() {
    if (project::Confirm_Discard(prompt_, loaded_.Differs(*model_),
                                 state_.Text(Str_Exit_Without_Saving)))
        QDialog::reject();
}

project::Table_Grid TFHARTVariables::Grid() const {
    return {*model_, project::Grid_Kind::String_Grid};
}

void TFHARTVariables::Btn_Del_RowClick() {
    const int row = ASG->Current_Row();
    if (row < 0)
        return;
    if (prompt_.Ask_Yes_No(state_.Text(Str_Confirm_Delete) + QString::number(row + 1)))
        project::Del_Row(Grid(), row, true);
}

void TFHARTVariables::Btn_Ins_RowClick() {
    const int row = ASG->Current_Row();
    if (row >= 0)
        project::Ins_Row(Grid(), row, true);
}

void TFHARTVariables::Btn_Copy_RowClick() {
    const int row = ASG->Current_Row();
    if (row < 0)
        return;
    project::Copy_Row(Grid(), row, state_.Row_Clipboard);
    Do_Copy = true;
}

void TFHARTVariables::Btn_Paste_RowClick() {
    const int row = ASG->Current_Row();
    if (row >= 0)
        project::Paste_Row(Grid(), row, Do_Copy, state_.Row_Clipboard, state_.String_Table,
                           prompt_);
}

void TFHARTVariables::Btn_ScanClick() {
    comm::Octet_Texts octets;
    for (size_t i = 0; i < octets.size(); ++i)
        octets[i] = Scan_Dialog->E_Discovery_IP[i]->text();
    QString error;
    if (Read_Scan_Address(state_.ParGen_File, octets, error) == project::Load_Status::Failed) {
        prompt_.Error(error);
        return;
    }
    for (size_t i = 0; i < octets.size(); ++i)
        Scan_Dialog->E_Discovery_IP[i]->setText(octets[i]);
    Import_Scan(Scan_Dialog->Execute());
}

int TFHARTVariables::HART_Scan_Count_Var() const {
    return int(Scan_Dialog->Model().Selected().size());
}

void TFHARTVariables::Import_Scan(int result) {
    if (result != QDialog::Accepted || Scan_Dialog->Num_Devices() <= 0 ||
        HART_Scan_Count_Var() <= 0)
        return;
    QList<HART_Variable_Row> rows = model_->Rows();
    if (prompt_.Ask_Yes_No(state_.Text(Str_Confirm_Overwrite)))
        Clear_For_Import(rows);
    const Scan_Import_Result imported =
        Import_Scan_Variables(rows, Scan_Dialog->Model().Selected());
    for (int row = 0; row < int(rows.size()); ++row)
        model_->Set_Row(row, rows[row]);
    // Imported rows poll variables: Params read-only, Swap, Conv Int and Operations editable.
    for (int row = imported.first_row; row < imported.first_row + imported.imported; ++row)
        model_->Apply_Read_Only_Rule(row);
    if (imported.not_imported > 0)
        prompt_.Information(state_.Text(Str_Not_Imported) + QString::number(imported.not_imported));
}

} // namespace hart
