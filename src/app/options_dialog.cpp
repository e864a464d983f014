#include "app/options_dialog.h"

#include "app/language_list.h"
#include "app/main_window.h"
#include "app/version_check.h"
#include "lang/language_events.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app {

namespace {

// Identifiers of the options texts.
enum Options_Text {
    Str_Caption = 300,
    Str_Subtitle = 301,
    Str_Language_Page = 302,
    Str_Connection_Page = 303,
    Str_Selected_Language = 304,
    Str_Page = 305,
    Str_Page_Of = 306,
    Str_Previous = 307,
    Str_Next = 308,
    Str_Enable_Internet = 309,
    Str_Check_At_Start = 310,
    Str_Check_Now = 311,
    Str_OK = 312,
    Str_Cancel = 313,
    Str_New_Version = 314,
    Str_No_Update = 315,
    Str_Change_Question = 316,
    Str_Change_To = 317,
    Str_Change_End = 318,
    Str_Settings_Page = 319,
    Str_Jump_Table = 320,
    Str_Auto_Size = 321,
    Str_Checking = 322,
};

constexpr QSize Flag_Size(48, 32);

template <typename Widget> Widget* Named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

TFSoftOptions::TFSoftOptions(Session_State& state, project::User_Prompt& prompt,
                             Version_Checker& checker, QWidget* parent)
    : QDialog(parent), state_(state), prompt_(prompt), checker_(checker) {
    setObjectName(QStringLiteral("FSoftOptions"));
    auto* layout = new QVBoxLayout(this);
    header_ = project::Add_Dialog_Header(this, layout, state_.SW_Code);

    PC_Options = Named(new QTabWidget(this), QStringLiteral("PC_Options"));
    TS_Language = Build_Language_Page();
    TS_Con_Options = Build_Connection_Page();
    TS_Soft_Settings = Build_Settings_Page();
    PC_Options->addTab(TS_Language, QString());
    PC_Options->addTab(TS_Con_Options, QString());
    PC_Options->addTab(TS_Soft_Settings, QString());
    layout->addWidget(PC_Options, 1);

    const project::Dialog_Buttons buttons = project::Add_Dialog_Buttons(this, layout);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    connect(Btn_OK, &QPushButton::clicked, this, &TFSoftOptions::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    PC_Options->setCurrentWidget(TS_Con_Options); // lays the connection page out once
    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this,
            &TFSoftOptions::Set_Lang);
    setFixedSize(QSize(560, sizeHint().height()));
}

QWidget* TFSoftOptions::Build_Language_Page() {
    auto* page = Named(new QWidget(PC_Options), QStringLiteral("TS_Language"));
    auto* layout = new QVBoxLayout(page);
    L_Sel_Lang = Named(new QLabel(page), QStringLiteral("L_Sel_Lang"));
    QFont bold = L_Sel_Lang->font();
    bold.setBold(true);
    L_Sel_Lang->setFont(bold);
    layout->addWidget(L_Sel_Lang);

    // Slots 1 to 3 in the left column, 4 to 6 in the right one.
    auto* slots = new QGridLayout;
    slots->setHorizontalSpacing(12);
    for (int i = 0; i < Lang_Slots; ++i) {
        I_L[i] = Named(new QLabel(page), QStringLiteral("I_L%1").arg(i + 1));
        I_L[i]->setFixedSize(Flag_Size);
        I_L[i]->setScaledContents(true);
        L_L[i] = Named(new QLabel(page), QStringLiteral("L_L%1").arg(i + 1));
        for (QLabel* clickable : {I_L[i], L_L[i]}) {
            clickable->setCursor(Qt::PointingHandCursor);
            clickable->installEventFilter(this);
        }
        const int column = i < 3 ? 0 : 2;
        slots->addWidget(I_L[i], i % 3, column);
        slots->addWidget(L_L[i], i % 3, column + 1);
        slots->setRowMinimumHeight(i % 3, Flag_Size.height() + 6);
    }
    slots->setColumnStretch(1, 1);
    slots->setColumnStretch(3, 1);
    layout->addLayout(slots);
    layout->addStretch();

    Btn_Prev = Named(new QPushButton(page), QStringLiteral("Btn_Prev"));
    Btn_Next = Named(new QPushButton(page), QStringLiteral("Btn_Next"));
    L_Page_Lang = Named(new QLabel(page), QStringLiteral("L_Page_Lang"));
    L_Page_Lang->setAlignment(Qt::AlignCenter);
    auto* paging = new QHBoxLayout;
    paging->addWidget(Btn_Prev);
    paging->addWidget(L_Page_Lang, 1);
    paging->addWidget(Btn_Next);
    layout->addLayout(paging);
    for (QPushButton* button : {Btn_Prev, Btn_Next}) {
        button->setAutoDefault(false);
        // The counter stays centred while one of the two buttons is hidden.
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
        connect(button, &QPushButton::clicked, this, [this, button] { Btn_NextClick(button); });
    }
    return page;
}

QWidget* TFSoftOptions::Build_Connection_Page() {
    auto* page = Named(new QWidget(PC_Options), QStringLiteral("TS_Con_Options"));
    auto* layout = new QVBoxLayout(page);
    CB_En_Con = Named(new QCheckBox(page), QStringLiteral("CB_En_Con"));
    CB_Update = Named(new QCheckBox(page), QStringLiteral("CB_Update"));
    Btn_Check_Update = Named(new QPushButton(page), QStringLiteral("Btn_Check_Update"));
    Btn_Check_Update->setAutoDefault(false);
    LL_Check_Update = Named(new QLabel(page), QStringLiteral("LL_Check_Update"));
    LL_Check_Update->setTextFormat(Qt::RichText);
    LL_Check_Update->hide();

    auto* indented = new QHBoxLayout;
    indented->addSpacing(24);
    indented->addWidget(CB_Update);
    auto* check_row = new QHBoxLayout;
    check_row->addWidget(Btn_Check_Update);
    check_row->addWidget(LL_Check_Update, 1);
    layout->addWidget(CB_En_Con);
    layout->addLayout(indented);
    layout->addSpacing(12);
    layout->addLayout(check_row);
    layout->addStretch();

    for (QCheckBox* box : {CB_En_Con, CB_Update})
        connect(box, &QCheckBox::clicked, this, &TFSoftOptions::CB_En_ConClick);
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    connect(LL_Check_Update, &QLabel::linkActivated, this,
            &TFSoftOptions::LL_Check_UpdateLinkClick);
    return page;
}

QWidget* TFSoftOptions::Build_Settings_Page() {
    auto* page = Named(new QWidget(PC_Options), QStringLiteral("TS_Soft_Settings"));
    auto* layout = new QVBoxLayout(page);
    CB_Soft_Set_Jump_Table = Named(new QCheckBox(page), QStringLiteral("CB_Soft_Set_Jump_Table"));
    CB_DoubleClick_Auto_Size =
        Named(new QCheckBox(page), QStringLiteral("CB_DoubleClick_Auto_Size"));
    layout->addWidget(CB_Soft_Set_Jump_Table);
    layout->addWidget(CB_DoubleClick_Auto_Size);
    layout->addStretch();
    for (QCheckBox* box : {CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(box, &QCheckBox::clicked, this, &TFSoftOptions::CB_En_ConClick);
    return page;
}

void TFSoftOptions::Set_Lang() {
    const auto& t = state_;
    setWindowTitle(t.Text(Str_Caption));
    header_.L_SW_Desc->setText(t.Text(Str_Subtitle));
    PC_Options->setTabText(PC_Options->indexOf(TS_Language), t.Text(Str_Language_Page));
    PC_Options->setTabText(PC_Options->indexOf(TS_Con_Options), t.Text(Str_Connection_Page));
    PC_Options->setTabText(PC_Options->indexOf(TS_Soft_Settings), t.Text(Str_Settings_Page));
    Btn_Prev->setText(t.Text(Str_Previous));
    Btn_Next->setText(t.Text(Str_Next));
    CB_En_Con->setText(t.Text(Str_Enable_Internet));
    CB_Update->setText(t.Text(Str_Check_At_Start));
    Btn_Check_Update->setText(t.Text(Checking() ? Str_Checking : Str_Check_Now));
    Btn_OK->setText(t.Text(Str_OK));
    Btn_Cancel->setText(t.Text(Str_Cancel));
    CB_Soft_Set_Jump_Table->setText(t.Text(Str_Jump_Table));
    CB_DoubleClick_Auto_Size->setText(t.Text(Str_Auto_Size));
    // Once the list is up, a change of language keeps the page the user is on.
    if (list_built_) {
        Update_Lang_Page(Show_Page);
        return;
    }
    L_Sel_Lang->setText(t.Text(Str_Selected_Language));
    L_Page_Lang->setText(t.Text(Str_Page) + u'1' + t.Text(Str_Page_Of) + u'1');
}

void TFSoftOptions::FormShow() {
    Language_In_Use = state_.Language_Name;
    Create_Lang_List();
    Forget_Pending_Check();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(state_.Enable_Internet);
    CB_Update->setChecked(state_.Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(state_.Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(state_.Double_Click_Auto_Size);
    Update_CheckBox();
}

int TFSoftOptions::Execute() {
    FormShow();
    return exec();
}

void TFSoftOptions::Create_Lang_List() {
    SL_Languages = app::Create_Lang_List(state_.Language_Folder);
    list_built_ = true;
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int page) {
    const int count = static_cast<int>(SL_Languages.size());
    const int pages = Lang_Pages(count);
    L_Sel_Lang->setText(state_.Text(Str_Selected_Language) + Language_In_Use);
    L_Page_Lang->setText(state_.Text(Str_Page) + QString::number(page) + state_.Text(Str_Page_Of) +
                         QString::number(pages));
    Btn_Prev->setVisible(page != 1);
    Btn_Next->setVisible(page != pages);
    const int shown = Langs_On_Page(count, page);
    for (int slot = 1; slot <= Lang_Slots; ++slot) {
        const bool visible = slot <= shown;
        L_L[slot - 1]->setVisible(visible);
        I_L[slot - 1]->setVisible(visible);
        if (!visible)
            continue;
        const QString name = Lang_Name(SL_Languages[Lang_Index(page, slot)]);
        L_L[slot - 1]->setText(name);
        Show_Flag(slot, name);
    }
}

void TFSoftOptions::Show_Flag(int slot, const QString& name) {
    QLabel* picture = I_L[slot - 1];
    // A picture that cannot be read counts as missing: the next candidate, or none.
    for (const QString& file : Flag_Files(state_.Language_Folder, name)) {
        QPixmap flag;
        if (flag.load(file)) {
            picture->setPixmap(flag);
            return;
        }
    }
    picture->clear();
    picture->hide();
}

void TFSoftOptions::Btn_NextClick(QObject* sender) {
    const int pages = Lang_Pages(static_cast<int>(SL_Languages.size()));
    if (sender == Btn_Next && pages >= Show_Page + 1)
        ++Show_Page;
    else if (sender == Btn_Prev && Show_Page - 1 > 0)
        --Show_Page;
    Update_Lang_Page(Show_Page);
}

bool TFSoftOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        for (int i = 0; i < Lang_Slots; ++i)
            if (watched == I_L[i] || watched == L_L[i]) {
                LangClick(i + 1);
                return true;
            }
    return QDialog::eventFilter(watched, event);
}

void TFSoftOptions::LangClick(int slot) {
    const int index = Lang_Index(Show_Page, slot);
    if (index < 0 || index >= SL_Languages.size())
        return;
    const QString name = Lang_Name(SL_Languages[index]);
    const QString question = state_.Text(Str_Change_Question) + Language_In_Use +
                             state_.Text(Str_Change_To) + name + state_.Text(Str_Change_End);
    if (!prompt_.Ask_Yes_No(question))
        return;
    Language_In_Use = name;
    // The texts change at once; Language_Name, and the settings file, only on OK.
    Change_Language(state_, name);
    L_Sel_Lang->setText(state_.Text(Str_Selected_Language) + Language_In_Use);
}

void TFSoftOptions::Update_CheckBox() {
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked() && !Checking());
}

void TFSoftOptions::CB_En_ConClick() {
    Update_CheckBox();
}

void TFSoftOptions::Btn_Check_UpdateClick() {
    if (Checking())
        return;
    pending_ = checker_.Check_Version();
    connect(pending_, &Version_Request::Finished, this, &TFSoftOptions::Show_Check_Result);
    Btn_Check_Update->setText(state_.Text(Str_Checking));
    Update_CheckBox();
}

void TFSoftOptions::Show_Check_Result(bool newer) {
    pending_ = nullptr;
    Btn_Check_Update->setText(state_.Text(Str_Check_Now));
    Update_CheckBox();
    if (newer)
        LL_Check_Update->setText(Link_Html(Download_Page_Url(), state_.Text(Str_New_Version)));
    else
        LL_Check_Update->setText(state_.Text(Str_No_Update).toHtmlEscaped());
    LL_Check_Update->show();
}

void TFSoftOptions::Forget_Pending_Check() {
    // An answer still on its way belongs to an earlier showing: it is not shown any more.
    if (pending_)
        disconnect(pending_, nullptr, this, nullptr);
    pending_ = nullptr;
    Btn_Check_Update->setText(state_.Text(Str_Check_Now));
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString& link) {
    QDesktopServices::openUrl(QUrl(link));
}

void TFSoftOptions::Btn_OKClick() {
    state_.Language_Name = Language_In_Use;
    state_.Enable_Internet = CB_En_Con->isChecked();
    // Kept as it stands even while the box is disabled.
    state_.Enable_Update = CB_Update->isChecked();
    state_.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    state_.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    // The main window saves the settings and sets its version-check timer.
    accept();
}

} // namespace app
