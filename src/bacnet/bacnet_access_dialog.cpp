#include "bacnet/bacnet_access_dialog.h"

#include "bacnet/bacnet_access.h"
#include "bacnet/bacnet_access_model.h"
#include "bacnet/eng_unit_dialog.h"
#include "lang/language_events.h"
#include "project/dialog_header.h"
#include "project/editor_dialog.h"
#include "project/grid_delegate.h"
#include "project/table_view.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace bacnet {

namespace {

using Col = BACnet_Access_Model::Column;

constexpr int Str_Caption = 1300;
constexpr int Str_Subtitle = 1301;
constexpr int Str_First_Button = 1302; // OK, Cancel, Delete, Insert, Copy, Paste
constexpr int Str_Read_Page = 1308;
constexpr int Str_Write_Page = 1309;
constexpr int Str_Copy_Hint = 1314;
constexpr int Str_Paste_Hint = 1315;
constexpr int Str_Confirm_Delete = 1360;
constexpr int Str_Rows_Beyond_Table = 1364;
constexpr int Str_Confirm_Table_End = 1365;
constexpr int Str_Exit_Without_Saving = 911;

// Widths that show the headers and the usual contents; the Mnemonic takes what is left.
constexpr std::array<int, BACnet_Access_Model::Column_Count> Column_Widths{50, 170, 80, 80, 75,
                                                                           65, 50,  80, 220};
constexpr int Preferred_Height = 640;
// Enough for the header, the row buttons, the tabs, a few rows and OK / Cancel.
constexpr QSize Minimum_Size(640, 440);

constexpr std::array<Access_Table, 2> Tables{Access_Table::Read, Access_Table::Write};

size_t Table_Index(Access_Table table) {
    return table == Access_Table::Read ? 0 : 1;
}

QWidget* Make_Page(QWidget* grid, const char* name) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return page;
}

int Page_Text(Access_Table table) {
    return table == Access_Table::Read ? Str_Read_Page : Str_Write_Page;
}

} // namespace

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(app::Session_State& state,
                                               project::User_Prompt& prompt, QWidget* parent)
    : QDialog(parent), state_(state), prompt_(prompt) {
    setObjectName(QStringLiteral("FBACnetSlaveSetAccess"));
    auto* layout = new QVBoxLayout(this);
    const project::Dialog_Header header = project::Add_Dialog_Header(this, layout, state_.SW_Code);
    L_SW_Code = header.L_SW_Code;
    L_SW_Desc = header.L_SW_Desc;

    Btn_DelRow = Make_Button("Btn_DelRow");
    Btn_InsRow = Make_Button("Btn_InsRow");
    Btn_CopyRow = Make_Button("Btn_CopyRow");
    Btn_PasteRow = Make_Button("Btn_PasteRow");
    auto* row_buttons = new QHBoxLayout;
    for (QPushButton* button : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
        row_buttons->addWidget(button);
    row_buttons->addStretch();
    layout->addLayout(row_buttons);

    read_model_ = new BACnet_Access_Model(Access_Table::Read, this);
    write_model_ = new BACnet_Access_Model(Access_Table::Write, this);
    PC_BACnet = new QTabWidget(this);
    PC_BACnet->setObjectName(QStringLiteral("PC_BACnet"));
    ACG_BACnet_in_Read = Make_Grid(read_model_, "ACG_BACnet_in_Read");
    ACG_BACnet_in_Write = Make_Grid(write_model_, "ACG_BACnet_in_Write");
    TS_BACnet_in_Read = Make_Page(ACG_BACnet_in_Read, "TS_BACnet_in_Read");
    TS_BACnet_in_Write = Make_Page(ACG_BACnet_in_Write, "TS_BACnet_in_Write");
    PC_BACnet->addTab(TS_BACnet_in_Read, QString());
    PC_BACnet->addTab(TS_BACnet_in_Write, QString());
    layout->addWidget(PC_BACnet, 1);

    const project::Dialog_Buttons buttons = project::Add_Dialog_Buttons(this, layout);
    bitbtn1 = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;

    unit_picker_ = new TFBACnet_Eng_Unit(state_, this);

    connect(Btn_DelRow, &QPushButton::clicked, this, &TFBACnetSlaveSetAccess::Btn_DelRow_Click);
    connect(Btn_InsRow, &QPushButton::clicked, this, &TFBACnetSlaveSetAccess::Btn_InsRowClick);
    connect(Btn_CopyRow, &QPushButton::clicked, this, &TFBACnetSlaveSetAccess::Btn_CopyRowClick);
    connect(Btn_PasteRow, &QPushButton::clicked, this, &TFBACnetSlaveSetAccess::Btn_PasteRowClick);
    connect(bitbtn1, &QPushButton::clicked, this, &TFBACnetSlaveSetAccess::bitbtn1Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFBACnetSlaveSetAccess::reject);

    Fit_Window();
    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this,
            &TFBACnetSlaveSetAccess::Set_Lang);
}

QPushButton* TFBACnetSlaveSetAccess::Make_Button(const char* name) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    // Enter belongs to the grid; it must never press a button of the dialog.
    button->setAutoDefault(false);
    return button;
}

project::Table_View* TFBACnetSlaveSetAccess::Make_Grid(BACnet_Access_Model* model,
                                                       const char* name) {
    auto* grid = new project::Table_View([this] { return state_.Table_Preferences(); }, this);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setModel(model);
    auto* delegate = new project::Grid_Delegate(grid);
    delegate->Choice_Made = [](QAbstractItemModel& changed, const QModelIndex& index) {
        if (index.column() == Col::Col_Data_Type)
            static_cast<BACnet_Access_Model&>(changed).Apply_Length_Preset(index.row());
    };
    grid->setItemDelegate(delegate);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    // Fixed widths and heights: a 2000-row grid must never be measured as a whole.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 10);
    for (int column = 0; column < BACnet_Access_Model::Column_Count; ++column)
        grid->setColumnWidth(column, Column_Widths[static_cast<size_t>(column)]);
    grid->viewport()->installEventFilter(this);
    return grid;
}

void TFBACnetSlaveSetAccess::Set_Lang() {
    setWindowTitle(state_.Text(Str_Caption));
    L_SW_Desc->setText(state_.Text(Str_Subtitle));
    const QList<QPushButton*> buttons{bitbtn1,    Btn_Cancel,  Btn_DelRow,
                                      Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setText(state_.Text(Str_First_Button + i));
    project::Set_Hint(Btn_CopyRow, state_.Text(Str_Copy_Hint));
    project::Set_Hint(Btn_PasteRow, state_.Text(Str_Paste_Hint));
    PC_BACnet->setTabText(0, state_.Text(Str_Read_Page));
    PC_BACnet->setTabText(1, state_.Text(Str_Write_Page));
    read_model_->Set_Lang(state_.String_Table);
    write_model_->Set_Lang(state_.String_Table);
}

bool TFBACnetSlaveSetAccess::FormShow() {
    NByte_IN = Data_Area_Bytes;
    NByte_OUT = Data_Area_Bytes;
    Desc_Lenght = Read_Desc_Lenght(state_.ParGen_File);
    const int rows = Table_Rows(Desc_Lenght);
    const BACnet_Access_Load load = Load_BACnet_Access(state_.BACnet_Slave_File, rows);
    if (load.status == project::Load_Status::Failed) {
        prompt_.Error(load.error);
        return false;
    }
    read_model_->Set_Rows(load.tables[0], rows);
    write_model_->Set_Rows(load.tables[1], rows);
    for (const Access_Table table : Tables)
        loaded_[Table_Index(table)].Take(Model(table));
    Do_Copy_Read = false;
    Do_Copy_Write = false;
    L_SW_Code->setText(state_.SW_Code);
    PC_BACnet->setCurrentIndex(0);
    for (const Access_Table table : Tables)
        Grid_View(table)->setCurrentIndex(Model(table).index(0, Col::Col_Data_Type));
    // The keyboard starts in the grid, never on a row button that Space would press.
    ACG_BACnet_in_Read->setFocus();
    for (const Access_Table table : Tables) {
        const int dropped = load.dropped_rows[Table_Index(table)];
        if (dropped > 0)
            prompt_.Information(state_.Text(Str_Rows_Beyond_Table)
                                    .arg(QFileInfo(state_.BACnet_Slave_File).fileName())
                                    .arg(rows + dropped)
                                    .arg(state_.Text(Page_Text(table)))
                                    .arg(rows)
                                    .arg(dropped));
    }
    return true;
}

int TFBACnetSlaveSetAccess::Execute() {
    if (!FormShow())
        return QDialog::Rejected;
    return exec();
}

BACnet_Access_Model& TFBACnetSlaveSetAccess::Model(Access_Table table) const {
    return table == Access_Table::Read ? *read_model_ : *write_model_;
}

project::Table_View* TFBACnetSlaveSetAccess::Grid_View(Access_Table table) const {
    return table == Access_Table::Read ? ACG_BACnet_in_Read : ACG_BACnet_in_Write;
}

Access_Table TFBACnetSlaveSetAccess::Shown_Table() const {
    return PC_BACnet->currentIndex() == 1 ? Access_Table::Write : Access_Table::Read;
}

project::Table_Grid TFBACnetSlaveSetAccess::Grid(Access_Table table) const {
    return {Model(table), project::Grid_Kind::Column_Grid};
}

bool TFBACnetSlaveSetAccess::Controllo_dati() {
    const QString failure = Check_BACnet_Access(read_model_->Rows(), write_model_->Rows(),
                                                Desc_Lenght, state_.String_Table);
    if (failure.isEmpty())
        return true;
    prompt_.Error(failure);
    return false;
}

void TFBACnetSlaveSetAccess::Select_Row(Access_Table table, int row) {
    PC_BACnet->setCurrentIndex(static_cast<int>(Table_Index(table)));
    project::Table_View* grid = Grid_View(table);
    grid->setCurrentIndex(Model(table).index(row, Col::Col_Data_Type));
    grid->selectRow(row);
    grid->setFocus();
}

bool TFBACnetSlaveSetAccess::Confirm_Table_End() {
    for (const Access_Table table : Tables) {
        const BACnet_Access_Model& model = Model(table);
        const project::Table_End end = project::Find_Table_End(
            model.rowCount(), [&model](int row) { return !model.Rows()[row].In_Use(); },
            [this, table](int row) { return project::Row_In_Use(Grid(table), row); });
        // The page name tells which of the two tables the question is about.
        const QString question = QStringLiteral("[%1] ").arg(state_.Text(Page_Text(table))) +
                                 state_.Text(Str_Confirm_Table_End);
        if (!project::Confirm_Table_End(prompt_, end, question)) {
            Select_Row(table, end.end_row);
            return false;
        }
    }
    return true;
}

void TFBACnetSlaveSetAccess::Fit_Window() {
    int width = ACG_BACnet_in_Read->frameWidth() * 2 +
                ACG_BACnet_in_Read->verticalScrollBar()->sizeHint().width();
    for (const int column_width : Column_Widths)
        width += column_width;
    const QMargins margins = layout()->contentsMargins();
    width += margins.left() + margins.right() + 16; // the tab page's frame
    project::Fit_To_Screen(this, QSize(width, Preferred_Height), Minimum_Size);
}

void TFBACnetSlaveSetAccess::reject() {
    const bool changed = loaded_[0].Differs(*read_model_) || loaded_[1].Differs(*write_model_);
    if (project::Confirm_Discard(prompt_, changed, state_.Text(Str_Exit_Without_Saving)))
        QDialog::reject();
}

void TFBACnetSlaveSetAccess::bitbtn1Click() {
    if (project::Validate_Then_Save(
            prompt_, [this] { return Controllo_dati() && Confirm_Table_End(); },
            [this] {
                return Save_BACnet_Access(state_.BACnet_Slave_File, read_model_->Rows(),
                                          write_model_->Rows());
            }))
        accept();
}

void TFBACnetSlaveSetAccess::Btn_DelRow_Click() {
    const Access_Table table = Shown_Table();
    const int row = Grid_View(table)->Current_Row();
    if (row < 0)
        return;
    if (prompt_.Ask_Yes_No(state_.Text(Str_Confirm_Delete) + QString::number(row + 1)))
        project::Del_Row(Grid(table), row);
}

void TFBACnetSlaveSetAccess::Btn_InsRowClick() {
    const Access_Table table = Shown_Table();
    const int row = Grid_View(table)->Current_Row();
    if (row >= 0)
        project::Ins_Row(Grid(table), row);
}

void TFBACnetSlaveSetAccess::Btn_CopyRowClick() {
    const Access_Table table = Shown_Table();
    const int row = Grid_View(table)->Current_Row();
    if (row < 0)
        return;
    project::Copy_Row(Grid(table), row, state_.Row_Clipboard);
    Do_Copy_Read = table == Access_Table::Read;
    Do_Copy_Write = table == Access_Table::Write;
}

void TFBACnetSlaveSetAccess::Btn_PasteRowClick() {
    const Access_Table table = Shown_Table();
    const int row = Grid_View(table)->Current_Row();
    if (row < 0)
        return;
    const bool copied = table == Access_Table::Read ? Do_Copy_Read : Do_Copy_Write;
    project::Paste_Row(Grid(table), row, copied, state_.Row_Clipboard, state_.String_Table,
                       prompt_);
}

void TFBACnetSlaveSetAccess::Open_Unit_Picker(Access_Table table, int row) {
    BACnet_Access_Model& model = Model(table);
    const QModelIndex cell = model.index(row, Col::Col_Eng_Unit);
    if (!cell.isValid())
        return;
    if (unit_picker_->Execute(cell.data(Qt::EditRole).toString()) == QDialog::Accepted)
        model.setData(cell, unit_picker_->E_Selected_EU->text(), Qt::EditRole);
}

bool TFBACnetSlaveSetAccess::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (const Access_Table table : Tables) {
            project::Table_View* grid = Grid_View(table);
            if (watched != grid->viewport())
                continue;
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex cell = grid->indexAt(mouse->position().toPoint());
            // The picker takes the place of the cell's text editor.
            if (cell.isValid() && cell.column() == Col::Col_Eng_Unit) {
                grid->setCurrentIndex(cell);
                Open_Unit_Picker(table, cell.row());
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace bacnet
