#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/new_project_dialog.h"
#include "app/open_project_dialog.h"
#include "app/options_dialog.h"
#include "app/projects.h"
#include "app/settings.h"
#include "app/version_check.h"
#include "bacnet/bacnet_access_dialog.h"
#include "bacnet/ede_export.h"
#include "comm/pargen_dialog.h"
#include "hart/hart_variables_dialog.h"
#include "image/boot_dialog.h"
#include "lang/language_events.h"
#include "project/dialog_header.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace app {

namespace {

QLabel* Make_Label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

/// A label that shows as much of its text as fits, with "..." in the middle, so that a long
/// project name never widens the fixed-size window nor pushes the steps aside.
class Elided_Label : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override { return {0, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect area = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
        style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown,
                              foregroundRole());
    }
};

} // namespace

void Change_Language(Session_State& state, const QString& language) {
    // Loading may fall back to English; the chosen name itself stays as it was.
    QString loaded = language;
    lang::Load_Language(state.String_Table, state.Language_Folder, loaded);
    lang::Language_Changes().Notify();
}

TFQuillonFirmWare::TFQuillonFirmWare(Session_State& state, project::User_Prompt& prompt,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state), prompt_(prompt) {
    setObjectName(QStringLiteral("FQuillonFirmWare"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    grid->setContentsMargins(18, 14, 18, 18);
    Build_Header(grid);
    Build_Steps(grid);

    new_project_ = new TFNew_Project(state_, prompt_, this);
    open_conf_ = new TFOpenConf(state_, this);
    par_gen_ = new comm::TFParGen(state_, prompt_, this);
    hart_variables_ = new hart::TFHARTVariables(state_, prompt_, this);
    boot_ = new image::TFBoot(state_, prompt_, this);
    checker_ = new Version_Checker(this);
    about_ = new TFAbout(state_, this);
    options_ = new TFSoftOptions(state_, prompt_, *checker_, this);

    Timer_Update = new QTimer(this);
    Timer_Update->setObjectName(QStringLiteral("Timer_Update"));
    Timer_Update->setInterval(First_Update_Period_Ms);
    connect(Timer_Update, &QTimer::timeout, this, &TFQuillonFirmWare::Timer_UpdateTimer);
    Set_Update_Timer();
    bacnet_access_ = new bacnet::TFBACnetSlaveSetAccess(state_, prompt_, this);

    setWindowTitle(state_.Window_Caption);
    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this,
            &TFQuillonFirmWare::Set_Lang);
    setFixedSize(sizeHint());
}

TFQuillonFirmWare::~TFQuillonFirmWare() = default;

void TFQuillonFirmWare::Build_Header(QGridLayout* grid) {
    L_SW_Code = Make_Label(this, "L_SW_Code");
    L_SW_Code->setText(state_.SW_Code);
    QFont code_font = L_SW_Code->font();
    code_font.setPointSizeF(code_font.pointSizeF() * 2.6);
    code_font.setBold(true);
    L_SW_Code->setFont(code_font);
    L_SW_Code->setStyleSheet(QStringLiteral("color: #808080;"));
    L_SW_Desc = Make_Label(this, "L_SW_Desc");
    L_SW_Desc->setText(state_.SW_Desc);
    QFont desc_font = L_SW_Desc->font();
    desc_font.setBold(true);
    L_SW_Desc->setFont(desc_font);
    LL_Update = Make_Label(this, "LL_Update");
    LL_Update->setTextFormat(Qt::RichText);
    connect(LL_Update, &QLabel::linkActivated, this, &TFQuillonFirmWare::LL_UpdateLinkClick);
    // The header keeps the link's room, so the fixed-size window never has to grow for it.
    QSizePolicy link_policy = LL_Update->sizePolicy();
    link_policy.setRetainSizeWhenHidden(true);
    LL_Update->setSizePolicy(link_policy);
    LL_Update->hide();

    auto* titles = new QVBoxLayout;
    titles->addWidget(L_SW_Code);
    titles->addWidget(L_SW_Desc);
    titles->addWidget(LL_Update);

    Btn_Info = Make_Step_Button(QStringLiteral("Btn_Info"), QStyle::SP_MessageBoxInformation);
    Btn_Opz = Make_Step_Button(QStringLiteral("Btn_Opz"), QStyle::SP_FileDialogDetailedView);
    Btn_Close = Make_Step_Button(QStringLiteral("Btn_Close"), QStyle::SP_DialogCloseButton);
    auto* icons = new QHBoxLayout;
    icons->addStretch();
    for (QToolButton* button : {Btn_Info, Btn_Opz, Btn_Close}) {
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIconSize(QSize(22, 22));
        button->setMinimumWidth(0);
        button->setFixedSize(34, 34);
        button->setAutoRaise(true);
        icons->addWidget(button);
    }

    auto* top = new QHBoxLayout;
    top->addLayout(titles, 1);
    top->addLayout(icons);
    top->setAlignment(icons, Qt::AlignTop);
    grid->addLayout(top, 0, 0, 1, 3);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, 1, 0, 1, 3);

    L_Begin = Make_Label(this, "L_Begin");
    auto* active_box = new QFrame(this);
    active_box->setFrameShape(QFrame::StyledPanel);
    auto* active_layout = new QVBoxLayout(active_box);
    L_Name_Conf = Make_Label(active_box, "L_Name_Conf");
    L_Name_Conf_L2 = new Elided_Label(active_box);
    L_Name_Conf_L2->setObjectName(QStringLiteral("L_Name_Conf_L2"));
    QFont name_font = L_Name_Conf_L2->font();
    name_font.setBold(true);
    L_Name_Conf_L2->setFont(name_font);
    active_layout->addWidget(L_Name_Conf);
    active_layout->addWidget(L_Name_Conf_L2);
    grid->addWidget(L_Begin, 2, 0, Qt::AlignVCenter);
    grid->addWidget(active_box, 2, 1, 1, 2);
}

QToolButton* TFQuillonFirmWare::Make_Step_Button(const QString& name, int icon) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(20, 20));
    button->setMinimumWidth(190);
    button->setAutoRaise(false);
    connect(button, &QToolButton::clicked, this, [this, button] { Btn_Click(button); });
    return button;
}

void TFQuillonFirmWare::Build_Steps(QGridLayout* grid) {
    for (int i = 0; i < 8; ++i) {
        L_Step[i] = Make_Label(this, QStringLiteral("L_Step_%1").arg(i + 1).toLatin1().constData());
        QFont font = L_Step[i]->font();
        font.setBold(true);
        L_Step[i]->setFont(font);
        L_Step[i]->hide(); // steps 7 and 8 belong to other converter models
    }
    Btn_New = Make_Step_Button(QStringLiteral("Btn_New"), QStyle::SP_FileIcon);
    Btn_Open = Make_Step_Button(QStringLiteral("Btn_Open"), QStyle::SP_DialogOpenButton);
    Btn_Prm_Gen = Make_Step_Button(QStringLiteral("Btn_Prm_Gen"), QStyle::SP_DriveNetIcon);
    Btn_HART_Variables =
        Make_Step_Button(QStringLiteral("Btn_HART_Variables"), QStyle::SP_FileDialogListView);
    Btn_BACnet_SetAccess =
        Make_Step_Button(QStringLiteral("Btn_BACnet_SetAccess"), QStyle::SP_FileDialogInfoView);
    Btn_BACnet_EDE_File =
        Make_Step_Button(QStringLiteral("Btn_BACnet_EDE_File"), QStyle::SP_DialogSaveButton);
    Btn_CreateBin = Make_Step_Button(QStringLiteral("Btn_CreateBin"), QStyle::SP_ArrowUp);

    const QList<QList<QToolButton*>> rows = {{Btn_New, Btn_Open},   {Btn_Prm_Gen},
                                             {Btn_HART_Variables},  {Btn_BACnet_SetAccess},
                                             {Btn_BACnet_EDE_File}, {Btn_CreateBin}};
    const int first_row = 3;
    for (int step = 0; step < rows.size(); ++step) {
        L_Step[step]->show();
        grid->addWidget(L_Step[step], first_row + step, 0);
        for (int b = 0; b < rows[step].size(); ++b)
            grid->addWidget(rows[step][b], first_row + step, 1 + b);
    }

    L_Tolmex = Make_Label(this, "L_Tolmex");
    L_Tolmex->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                          .arg(Home_Page_Url().toString(), QString::fromLatin1(Maker_Host)));
    L_Tolmex->setOpenExternalLinks(true);
    grid->addWidget(L_Tolmex, first_row + 5, 2, Qt::AlignRight | Qt::AlignVCenter);

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    grid->addWidget(separator, first_row + 6, 0, 1, 3);
    grid->setColumnMinimumWidth(0, 80);
    grid->setColumnStretch(2, 1);
}

void TFQuillonFirmWare::Set_Lang() {
    const auto& t = state_;
    L_Begin->setText(t.Text(0));
    for (int i = 0; i < 8; ++i)
        L_Step[i]->setText(t.Text(1 + i));
    project::Set_Hint(Btn_Info, t.Text(12));
    project::Set_Hint(Btn_Opz, t.Text(13));
    project::Set_Hint(Btn_Close, t.Text(14));
    Btn_New->setText(t.Text(15));
    Btn_Open->setText(t.Text(16));
    Btn_CreateBin->setText(t.Text(17));
    Btn_Prm_Gen->setText(t.Text(20));
    project::Set_Hint(Btn_New, t.Text(22));
    project::Set_Hint(Btn_Open, t.Text(23));
    project::Set_Hint(Btn_Prm_Gen, t.Text(24));
    project::Set_Hint(Btn_CreateBin, t.Text(26));
    Btn_HART_Variables->setText(t.Text(27));
    project::Set_Hint(Btn_HART_Variables, t.Text(28));
    // These two captions are fixed: the BACnet side keeps its English names in every language.
    Btn_BACnet_SetAccess->setText(QStringLiteral("Set BACnet Access"));
    Btn_BACnet_EDE_File->setText(QStringLiteral("BACnet EDE File"));
    LL_Update->setText(Link_Html(Download_Page_Url(), t.Text(19)));
    Show_Active_Configuration();
}

void TFQuillonFirmWare::Show_Active_Configuration() {
    if (state_.Project_Active()) {
        L_Name_Conf->setText(state_.Text(11));
        L_Name_Conf_L2->setText(state_.Project_Name);
        project::Set_Hint(L_Name_Conf_L2, state_.Project_Name); // the full name, when elided
    } else {
        L_Name_Conf->setText(state_.Text(9));
        L_Name_Conf_L2->setText(state_.Text(10));
        L_Name_Conf_L2->setToolTip(QString());
    }
}

void TFQuillonFirmWare::Btn_Click(QObject* sender) {
    if (sender == Btn_New)
        return Create_New_Project();
    if (sender == Btn_Open)
        return Open_Project();
    if (sender == Btn_Close) {
        close();
        return;
    }
    if (sender == Btn_Info)
        return Show_About();
    if (sender == Btn_Opz)
        return Show_Options();
    if (!state_.Project_Active()) {
        prompt_.Error(state_.Text(18));
        return;
    }
    if (sender == Btn_Prm_Gen)
        return Show_Communication_Settings();
    if (sender == Btn_HART_Variables)
        return Show_HART_Variables();
    if (sender == Btn_BACnet_SetAccess)
        return Show_BACnet_Access();
    if (sender == Btn_BACnet_EDE_File)
        return BACnet_EDE_File();
    if (sender == Btn_CreateBin)
        return Update_Device();
}

void TFQuillonFirmWare::Create_New_Project() {
    new_project_->FormShow();
    if (new_project_->exec() == QDialog::Accepted)
        Show_Active_Configuration();
}

void TFQuillonFirmWare::Open_Project() {
    open_conf_->FormShow();
    if (open_conf_->exec() != QDialog::Accepted)
        return;
    Open_Chosen_Project(state_, open_conf_->Name_Conf);
    Show_Active_Configuration();
}

void TFQuillonFirmWare::Show_Startup_Message(const QString& text) {
    if (!text.isEmpty())
        prompt_.Error(text);
}

void TFQuillonFirmWare::closeEvent(QCloseEvent* event) {
    // Closing must never be prevented: a settings file that cannot be written is lost quietly.
    Save_Setting(state_);
    event->accept();
}

// --- Steps connected to their dialogs -------------------------------------------------------

void TFQuillonFirmWare::Show_Communication_Settings() {
    par_gen_->Show_For_Active_Project();
}

void TFQuillonFirmWare::Show_HART_Variables() {
    hart_variables_->Execute();
}

void TFQuillonFirmWare::Show_BACnet_Access() {
    bacnet_access_->Execute();
}

void TFQuillonFirmWare::BACnet_EDE_File() {
    // The compact layout comes first: it is the default, the full one is offered beside it.
    const QString compact = state_.Text(1366);
    const QString full = state_.Text(1367);
    QString filter;
    const QString chosen = QFileDialog::getSaveFileName(
        this, state_.Text(1368), state_.Project_Folder, compact + QStringLiteral(";;") + full,
        &filter, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return;
    const bacnet::EDE_Source source{state_.ParGen_File, state_.BACnet_Slave_File,
                                    state_.Project_Name};
    bacnet::Export_EDE_Step(source, chosen,
                            filter == full ? bacnet::EDE_Layout::Full : bacnet::EDE_Layout::Compact,
                            prompt_, state_.String_Table);
}

void TFQuillonFirmWare::Update_Device() {
    // Compiled at every press, whatever follows: the updater must never send stale banks.
    const QString error = image::Compile_Banks(state_.Project_Folder, state_.String_Table);
    if (!error.isEmpty()) {
        prompt_.Error(error);
        return;
    }
    boot_->BACnetType = image::Get_Type_BACnet(state_.ParGen_File);
    boot_->Form_Type = 1;
    boot_->Execute();
}

void TFQuillonFirmWare::Show_About() {
    about_->Execute();
}

void TFQuillonFirmWare::Show_Options() {
    if (options_->Execute() != QDialog::Accepted)
        return;
    const QString error = Save_Setting(state_);
    Set_Update_Timer();
    if (!error.isEmpty())
        prompt_.Error(error);
}

// --- Version check --------------------------------------------------------------------------

void TFQuillonFirmWare::Set_Update_Periods(int first_ms, int next_ms) {
    next_update_period_ms_ = next_ms;
    Timer_Update->setInterval(update_checked_ ? next_ms : first_ms);
}

void TFQuillonFirmWare::Set_Update_Timer() {
    if (!(state_.Enable_Internet && state_.Enable_Update))
        Timer_Update->stop();
    else if (!Timer_Update->isActive())
        Timer_Update->start();
}

void TFQuillonFirmWare::Timer_UpdateTimer() {
    Timer_Update->stop();
    // The answer comes later; the window goes on meanwhile.
    connect(checker_->Check_Version(), &Version_Request::Finished, this,
            &TFQuillonFirmWare::Show_Update_Link);
    update_checked_ = true;
    Timer_Update->setInterval(next_update_period_ms_);
    Timer_Update->start();
}

void TFQuillonFirmWare::Show_Update_Link(bool newer) {
    LL_Update->setVisible(newer);
}

void TFQuillonFirmWare::LL_UpdateLinkClick(const QString& link) {
    QDesktopServices::openUrl(QUrl(link));
}

} // namespace app
