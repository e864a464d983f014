#include "image/boot_dialog.h"

#include "image/ip_address.h"
#include "image/update_wait_dialog.h"
#include "lang/language_events.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace image {

namespace {

constexpr int Str_Caption = 1502;
constexpr int Str_Subtitle = 1503;
constexpr int Str_IP_Label = 1506;
constexpr int Str_Options_Label = 1514;
constexpr int Str_First_Option = 1515; // 1515..1517, in the order of Update_Option_Index
constexpr int Str_Read_Back = 1518;
constexpr int Str_Cancel = 1519;
constexpr int Str_Update = 1520;
constexpr int Str_First_IP_Hint = 1521; // 1521..1524, one per box
constexpr int Str_Options_Hint = 1532;
constexpr int Str_Read_Back_Hint = 1533;
constexpr int Str_Cancel_Hint = 1534;
constexpr int Str_Update_Hint = 1535;
constexpr int Option_Count = 3;

} // namespace

TFBoot::TFBoot(app::Session_State& state, project::User_Prompt& prompt, QWidget* parent)
    : QDialog(parent), state_(state), prompt_(prompt), echo_(Make_System_Echo_Sender()) {
    FormCreate();
}

TFBoot::~TFBoot() = default;

void TFBoot::FormCreate() {
    setObjectName(QStringLiteral("FBoot"));
    auto* layout = new QVBoxLayout(this);
    const project::Dialog_Header header = project::Add_Dialog_Header(this, layout, state_.SW_Code);
    L_SW_Code = header.L_SW_Code;
    L_SW_Desc = header.L_SW_Desc;
    layout->addWidget(P_IP = Build_IP_Panel());
    layout->addWidget(P_Options = Build_Options_Panel());
    layout->addStretch(1);

    Btn_Update = new QPushButton(this);
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    Btn_Cancel = new QPushButton(this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {Btn_Update, Btn_Cancel}) {
        button->setAutoDefault(false); // Enter in an IP box must not start an update
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFBoot::reject);

    Wait_Window = new TFUpdate_Wait(state_.String_Table, this);
    setMinimumWidth(440);
    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this, &TFBoot::Set_Lang);
}

QLineEdit* TFBoot::New_IP_Box(const char* name) {
    auto* box = new QLineEdit(QStringLiteral("0"), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(52);
    box->setAlignment(Qt::AlignCenter);
    box->installEventFilter(this);
    return box;
}

QWidget* TFBoot::Build_IP_Panel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("P_IP"));
    auto* layout = new QVBoxLayout(panel);
    L_IP = new QLabel(panel);
    L_IP->setObjectName(QStringLiteral("L_IP"));
    E_IP1 = New_IP_Box("E_IP1");
    E_IP2 = New_IP_Box("E_IP2");
    E_IP3 = New_IP_Box("E_IP3");
    E_IP4 = New_IP_Box("E_IP4");
    auto* boxes = new QHBoxLayout;
    for (QLineEdit* box : {E_IP1, E_IP2, E_IP3, E_IP4}) {
        if (box != E_IP1)
            boxes->addWidget(new QLabel(QStringLiteral("."), panel));
        boxes->addWidget(box);
    }
    boxes->addStretch(1);
    layout->addWidget(L_IP);
    layout->addLayout(boxes);
    return panel;
}

QWidget* TFBoot::Build_Options_Panel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("P_Options"));
    auto* layout = new QVBoxLayout(panel);
    L_Update_Options = new QLabel(panel);
    L_Update_Options->setObjectName(QStringLiteral("L_Update_Options"));
    CB_Update_Options = new QComboBox(panel);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Option_Read_Back = new QCheckBox(panel);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    layout->addWidget(L_Update_Options);
    layout->addWidget(CB_Update_Options);
    layout->addWidget(CB_Update_Option_Read_Back);
    return panel;
}

void TFBoot::Set_Lang() {
    const auto& t = state_;
    setWindowTitle(t.Text(Str_Caption));
    L_SW_Code->setText(t.SW_Code);
    L_SW_Desc->setText(t.Text(Str_Subtitle));
    L_IP->setText(t.Text(Str_IP_Label));
    L_Update_Options->setText(t.Text(Str_Options_Label));
    const int chosen = CB_Update_Options->currentIndex();
    CB_Update_Options->clear();
    for (int i = 0; i < Option_Count; ++i)
        CB_Update_Options->addItem(t.Text(Str_First_Option + i));
    CB_Update_Options->setCurrentIndex(qMax(chosen, 0));
    CB_Update_Option_Read_Back->setText(t.Text(Str_Read_Back));
    Btn_Cancel->setText(t.Text(Str_Cancel));
    Btn_Update->setText(t.Text(Str_Update));
    QLineEdit* const boxes[] = {E_IP1, E_IP2, E_IP3, E_IP4};
    for (int i = 0; i < 4; ++i)
        project::Set_Hint(boxes[i], t.Text(Str_First_IP_Hint + i));
    project::Set_Hint(CB_Update_Options, t.Text(Str_Options_Hint));
    project::Set_Hint(CB_Update_Option_Read_Back, t.Text(Str_Read_Back_Hint));
    project::Set_Hint(Btn_Cancel, t.Text(Str_Cancel_Hint));
    project::Set_Hint(Btn_Update, t.Text(Str_Update_Hint));
}

void TFBoot::FormShow() {
    Set_Lang();
    P_IP->show();
    P_Options->show();
    IP_Parts parts;
    if (!state_.Last_IP_Address.isEmpty() && Split_IP_Address(state_.Last_IP_Address, parts)) {
        E_IP1->setText(parts[0]);
        E_IP2->setText(parts[1]);
        E_IP3->setText(parts[2]);
        E_IP4->setText(parts[3]);
    }
    CB_Update_Options->setCurrentIndex(state_.Update_Option);
    CB_Update_Option_Read_Back->setChecked(state_.Read_Back);
    E_IP1->setFocus(Qt::OtherFocusReason);
}

int TFBoot::Execute() {
    FormShow();
    return exec();
}

QString TFBoot::Typed_IP_Address() const {
    return Join_IP_Address({E_IP1->text(), E_IP2->text(), E_IP3->text(), E_IP4->text()});
}

void TFBoot::Set_Echo_Sender(std::unique_ptr<Echo_Sender> sender) {
    if (Updating())
        return;
    sequence_.reset(); // it listens to the old echo
    echo_ = std::move(sender);
}

int TFBoot::ping_res() const {
    return sequence_ ? sequence_->Ping_Res() : Ping_None;
}

void TFBoot::Btn_UpdateClick() {
    if (Updating())
        return;
    Update_Script_Values values;
    values.IP_Address = Typed_IP_Address();
    values.Update_Option = CB_Update_Options->currentIndex();
    values.Read_Back = CB_Update_Option_Read_Back->isChecked();
    values.BACnet_Type = BACnetType;
    values.Master_Folder = state_.Master_Folder;
    values.Project_Folder = state_.Project_Folder;

    sequence_ = std::make_unique<Update_Sequence>(*echo_, state_.String_Table, timing_);
    connect(sequence_.get(), &Update_Sequence::Echo_Answered, this, &TFBoot::Keep_Dialog_Values);
    connect(sequence_.get(), &Update_Sequence::Updater_Started, Wait_Window, &TFUpdate_Wait::Start);
    connect(sequence_.get(), &Update_Sequence::Finished, this,
            [this](Update_Outcome outcome, const QString& message, int) {
                Update_Done(outcome, message);
            });
    Set_Busy(true);
    sequence_->Execute(values, state_.Exe_Folder);
}

void TFBoot::Keep_Dialog_Values() {
    // Only an address that answered is remembered, with the choices made for it.
    state_.Last_IP_Address = Typed_IP_Address();
    state_.Update_Option = CB_Update_Options->currentIndex();
    state_.Read_Back = CB_Update_Option_Read_Back->isChecked();
}

void TFBoot::Update_Done(Update_Outcome outcome, const QString& message) {
    Wait_Window->Stop();
    Set_Busy(false);
    if (outcome == Update_Outcome::Device_Not_Found)
        prompt_.Warning(message);
    else if (!message.isEmpty())
        prompt_.Error(message);
    Q_EMIT Update_Finished(outcome);
}

void TFBoot::Set_Busy(bool busy) {
    Btn_Update->setEnabled(!busy);
    Btn_Cancel->setEnabled(!busy);
    P_IP->setEnabled(!busy);
    P_Options->setEnabled(!busy);
    if (!busy)
        E_IP1->setFocus(Qt::OtherFocusReason);
}

void TFBoot::reject() {
    if (!Updating()) // an update under way finishes in front of the user
        QDialog::reject();
}

bool TFBoot::KeyPress(QLineEdit* box) {
    if (box == E_IP1)
        E_IP2->setFocus(Qt::TabFocusReason);
    else if (box == E_IP2)
        E_IP3->setFocus(Qt::TabFocusReason);
    else if (box == E_IP3)
        E_IP4->setFocus(Qt::TabFocusReason);
    return true;
}

bool TFBoot::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->text() == QLatin1String(".")) {
        for (QLineEdit* box : {E_IP1, E_IP2, E_IP3, E_IP4})
            if (watched == box)
                return KeyPress(box);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace image
