#include "hart/hart_scan_dialog.h"

#include "lang/language_events.h"
#include "project/dialog_header.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace hart {

namespace {

using Col = Scan_Result_Model::Column;

constexpr int Str_Caption = 1600;
constexpr int Str_Subtitle = 1601;
constexpr int Str_IP_Address = 1602;
constexpr int Str_First_IP_Hint = 1603;
constexpr int Str_Select_All = 1607;
constexpr int Str_Unselect_All = 1608;
constexpr int Str_Start_Scan = 1615;
constexpr int Str_OK = 1617;
constexpr int Str_Cancel = 1619;
constexpr int Str_Scan_Again = 1621;
constexpr int Str_Waiting = 1623;
constexpr int Str_Num_Devices = 1642;
constexpr int Str_Num_Devices_Hint = 1643;

const std::array<QString, 4> Default_IP{"192", "168", "2", "107"};
constexpr int Max_Num_Devs = 64;

constexpr std::array<int, Scan_Result_Model::Column_Count> Column_Widths{40,  60,  120, 110,
                                                                         260, 150, 150, 200};

/// Paints the rows of one device in the shade of that device.
class Shade_Delegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant shade = index.data(Scan_Result_Model::Shade_Role);
        if (shade.isValid())
            option->backgroundBrush =
                shade.toInt() == 0 ? QColor(0xE6, 0xEF, 0xFA) : QColor(0xFB, 0xF1, 0xDE);
    }
};

} // namespace

TFHART_Scan::TFHART_Scan(app::Session_State& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("FHART_Scan"));
    auto* layout = new QVBoxLayout(this);
    // The title keeps the dialog's own name rather than the software code.
    const project::Dialog_Header header = project::Add_Dialog_Header(this, layout, QString());
    L_SW_Code = header.L_SW_Code;
    L_SW_Desc = header.L_SW_Desc;

    P_Parameters = Build_Parameters();
    P_Wait = Build_Wait();
    P_Result = Build_Result();
    layout->addWidget(P_Parameters, 1);
    layout->addWidget(P_Wait, 1);
    layout->addWidget(P_Result, 1);

    Btn_SelectAll = Make_Button("Btn_SelectAll");
    Btn_UnSelectAll = Make_Button("Btn_UnSelectAll");
    Btn_ScanAgain = Make_Button("Btn_ScanAgain");
    auto* result_buttons = new QHBoxLayout;
    result_buttons->addWidget(Btn_SelectAll);
    result_buttons->addWidget(Btn_UnSelectAll);
    result_buttons->addStretch(1);
    result_buttons->addWidget(Btn_ScanAgain);
    layout->addLayout(result_buttons);
    const project::Dialog_Buttons buttons = project::Add_Dialog_Buttons(this, layout);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;

    connect(Btn_StartScan, &QPushButton::clicked, this, &TFHART_Scan::Btn_StartScanClick);
    connect(Btn_ScanAgain, &QPushButton::clicked, this, &TFHART_Scan::Btn_ScanAgainClick);
    connect(Btn_SelectAll, &QPushButton::clicked, this, [this] { Btn_SelectAllClick(true); });
    connect(Btn_UnSelectAll, &QPushButton::clicked, this, [this] { Btn_SelectAllClick(false); });
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    Init_Table(true);
    Show_Form(View_Parameters);
    resize(1040, 560);
    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this,
            &TFHART_Scan::Set_Lang);
}

TFHART_Scan::~TFHART_Scan() = default;

QPushButton* TFHART_Scan::Make_Button(const char* name) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QWidget* TFHART_Scan::Build_Parameters() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("P_Parameters"));
    auto* grid = new QGridLayout(panel);
    L_IP_Address = new QLabel(panel);
    grid->addWidget(L_IP_Address, 0, 0);
    auto* ip_row = new QHBoxLayout;
    for (size_t i = 0; i < E_Discovery_IP.size(); ++i) {
        auto* box = new QLineEdit(Default_IP[i], panel);
        box->setObjectName(QStringLiteral("E_Discovery_IP%1").arg(i + 1));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
        box->installEventFilter(this);
        if (i > 0)
            ip_row->addWidget(new QLabel(QStringLiteral("."), panel));
        ip_row->addWidget(box);
        E_Discovery_IP[i] = box;
    }
    ip_row->addStretch(1);
    grid->addLayout(ip_row, 0, 1);
    L_Discovery_NumDevs = new QLabel(panel);
    grid->addWidget(L_Discovery_NumDevs, 1, 0);
    CB_Discovery_NumDevs = new QComboBox(panel);
    CB_Discovery_NumDevs->setObjectName(QStringLiteral("CB_Discovery_NumDevs"));
    for (int count = 1; count <= Max_Num_Devs; ++count)
        CB_Discovery_NumDevs->addItem(QString::number(count).rightJustified(2, u'0'));
    CB_Discovery_NumDevs->setCurrentIndex(Max_Num_Devs - 1);
    grid->addWidget(CB_Discovery_NumDevs, 1, 1, Qt::AlignLeft);
    Btn_StartScan = Make_Button("Btn_StartScan");
    grid->addWidget(Btn_StartScan, 2, 1, Qt::AlignLeft);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* TFHART_Scan::Build_Wait() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("P_Wait"));
    auto* column = new QVBoxLayout(panel);
    L_Wait = new QLabel(panel);
    L_Wait->setObjectName(QStringLiteral("L_Wait"));
    L_Discovery_Result = new QLabel(panel);
    L_Discovery_Result->setObjectName(QStringLiteral("L_Discovery_Result"));
    PB_Read_Device = new QProgressBar(panel);
    PB_Read_Device->setObjectName(QStringLiteral("PB_Read_Device"));
    PB_Read_Device->setFormat(QStringLiteral("%v / %m"));
    column->addWidget(L_Wait);
    column->addWidget(L_Discovery_Result);
    column->addWidget(PB_Read_Device);
    column->addStretch(1);
    return panel;
}

QWidget* TFHART_Scan::Build_Result() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("P_Result"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    model_ = new Scan_Result_Model(this);
    ASG = new QTableView(panel);
    ASG->setObjectName(QStringLiteral("ASG"));
    ASG->setModel(model_);
    ASG->setItemDelegate(new Shade_Delegate(ASG));
    ASG->verticalHeader()->hide();
    ASG->setSelectionBehavior(QAbstractItemView::SelectRows);
    ASG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    column->addWidget(ASG);
    return panel;
}

void TFHART_Scan::Set_Lang() {
    setWindowTitle(state_.Text(Str_Caption));
    L_SW_Code->setText(state_.Text(Str_Caption));
    // The texts double an ampersand that must show as one.
    L_SW_Desc->setText(state_.Text(Str_Subtitle).replace(QLatin1String("&&"), QLatin1String("&")));
    L_IP_Address->setText(state_.Text(Str_IP_Address));
    for (size_t i = 0; i < E_Discovery_IP.size(); ++i)
        E_Discovery_IP[i]->setToolTip(state_.Text(Str_First_IP_Hint + int(i)));
    L_Discovery_NumDevs->setText(state_.Text(Str_Num_Devices));
    CB_Discovery_NumDevs->setToolTip(state_.Text(Str_Num_Devices_Hint));
    L_Wait->setText(state_.Text(Str_Waiting));
    const std::array<std::pair<QPushButton*, int>, 4> captioned{{{Btn_StartScan, Str_Start_Scan},
                                                                 {Btn_OK, Str_OK},
                                                                 {Btn_Cancel, Str_Cancel},
                                                                 {Btn_ScanAgain, Str_Scan_Again}}};
    for (const auto& [button, id] : captioned) {
        button->setText(state_.Text(id));
        button->setToolTip(state_.Text(id + 1));
    }
    Btn_SelectAll->setText(state_.Text(Str_Select_All));
    Btn_UnSelectAll->setText(state_.Text(Str_Unselect_All));
    model_->Set_Lang(state_.String_Table);
}

void TFHART_Scan::Init_Table(bool init) {
    model_->Set_Variables({});
    if (!init)
        return;
    for (int column = 0; column < Scan_Result_Model::Column_Count; ++column)
        ASG->setColumnWidth(column, Column_Widths[size_t(column)]);
}

void TFHART_Scan::FormShow() {
    TR_HART_Scan = std::make_unique<Scan_Thread>(state_.String_Table, Options);
    connect(TR_HART_Scan.get(), &Scan_Thread::Status_Changed, L_Discovery_Result, &QLabel::setText);
    connect(TR_HART_Scan.get(), &Scan_Thread::Record_Progress, this,
            &TFHART_Scan::Show_Record_Progress);
    connect(TR_HART_Scan.get(), &Scan_Thread::Scan_Succeeded, this,
            [this](const QList<Device_Record>& records, int num_devices) {
                Show_Vars(records, num_devices);
                Show_Form(View_Results);
            });
    connect(TR_HART_Scan.get(), &Scan_Thread::Scan_Failed, this,
            [this] { Show_Form(View_Failed); });
    Show_Form(View_Parameters);
}

void TFHART_Scan::FormClose() {
    TR_HART_Scan.reset();
}

int TFHART_Scan::Execute() {
    FormShow();
    return exec();
}

void TFHART_Scan::done(int result) {
    // Whatever closes the window, the scan stops with it.
    FormClose();
    QDialog::done(result);
}

void TFHART_Scan::Show_Form(int status) {
    for (QWidget* widget :
         std::initializer_list<QWidget*>{P_Parameters, P_Wait, P_Result, Btn_StartScan, Btn_OK,
                                         Btn_Cancel, Btn_ScanAgain, Btn_SelectAll, Btn_UnSelectAll})
        widget->hide();
    view_ = status;
    switch (status) {
    case View_Parameters:
        P_Parameters->show();
        Btn_StartScan->show();
        break;
    case View_Waiting:
    case View_Failed:
        P_Wait->show();
        PB_Read_Device->hide();
        if (status == View_Failed)
            Btn_ScanAgain->show();
        break;
    case View_Results:
        P_Result->show();
        for (QPushButton* button :
             {Btn_OK, Btn_Cancel, Btn_SelectAll, Btn_UnSelectAll, Btn_ScanAgain})
            button->show();
        break;
    default:
        break;
    }
}

void TFHART_Scan::Btn_StartScanClick() {
    if (!TR_HART_Scan)
        return;
    Show_Form(View_Waiting);
    num_devices_ = 0;
    QStringList octets;
    for (const QLineEdit* box : E_Discovery_IP)
        octets << box->text();
    TR_HART_Scan->HART_Discovery(octets.join(u'.'), CB_Discovery_NumDevs->currentText());
}

void TFHART_Scan::Btn_ScanAgainClick() {
    Show_Form(View_Parameters);
}

void TFHART_Scan::Btn_SelectAllClick(bool checked) {
    model_->Select_All(checked);
}

void TFHART_Scan::Show_Vars(const QList<Device_Record>& records, int num_devices) {
    num_devices_ = num_devices;
    model_->Set_Variables(num_devices > 0 ? Decode_Scan_Records(records, num_devices)
                                          : QList<Scan_Variable>());
}

void TFHART_Scan::Show_Record_Progress(int index, int count) {
    PB_Read_Device->setRange(0, std::max(count, 1));
    PB_Read_Device->setValue(index);
    PB_Read_Device->show();
}

bool TFHART_Scan::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->text() != QLatin1String("."))
        return QDialog::eventFilter(watched, event);
    // "." is never typed into a box; it moves on to the next octet instead.
    for (size_t i = 0; i + 1 < E_Discovery_IP.size(); ++i)
        if (watched == E_Discovery_IP[i] && E_Discovery_IP[i + 1]->isEnabled() &&
            E_Discovery_IP[i + 1]->isVisible())
            E_Discovery_IP[i + 1]->setFocus();
    return true;
}

} // namespace hart
