#include "bacnet/eng_unit_dialog.h"

#include "app/session_state.h"
#include "bacnet/eng_units.h"
#include "lang/language_events.h"
#include "project/dialog_header.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bacnet {

namespace {

constexpr int Str_Caption = 1400;
constexpr int Str_Subtitle = 1401;
constexpr int Str_OK = 1402;
constexpr int Str_Cancel = 1403;
constexpr int Str_Selected_EU = 1404;
constexpr int Str_Select_New = 1405;
constexpr int Str_Select_Type = 1406;
constexpr int Str_Select_Unit = 1407;
constexpr int Str_Select_Button = 1408;

QString Unit_Label(int number) {
    return QStringLiteral("-> ") + Desc_Unit(number);
}

template <class Widget> Widget* Named(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(const app::Session_State& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("FBACnet_Eng_Unit"));
    auto* layout = new QVBoxLayout(this);
    const project::Dialog_Header header = project::Add_Dialog_Header(this, layout, state_.SW_Code);
    L_SW_Code = header.L_SW_Code;
    L_SW_Desc = header.L_SW_Desc;

    L_Selected_EU = Named<QLabel>(this, "L_Selected_EU");
    E_Selected_EU = Named<QLineEdit>(this, "E_Selected_EU");
    Label5 = Named<QLabel>(this, "Label5");
    auto* selected = new QFormLayout;
    selected->addRow(L_Selected_EU, E_Selected_EU);
    selected->addRow(QString(), Label5);
    layout->addLayout(selected);

    L_Select_New = Named<QLabel>(this, "L_Select_New");
    L_Select_Type = Named<QLabel>(this, "L_Select_Type");
    CB_Select_Type = Named<QComboBox>(this, "CB_Select_Type");
    L_Select_Unit = Named<QLabel>(this, "L_Select_Unit");
    CB_Select_Unit = Named<QComboBox>(this, "CB_Select_Unit");
    Btn_Select_Eng_Unit = Named<QPushButton>(this, "Btn_Select_Eng_Unit");
    Btn_Select_Eng_Unit->setAutoDefault(false);
    for (const Unit_Category& category : Unit_Categories())
        CB_Select_Type->addItem(QString::fromLatin1(category.name));
    CB_Select_Type->setCurrentIndex(0);
    auto* choose = new QFormLayout;
    choose->addRow(L_Select_Type, CB_Select_Type);
    choose->addRow(L_Select_Unit, CB_Select_Unit);
    choose->addRow(QString(), Btn_Select_Eng_Unit);
    layout->addWidget(L_Select_New);
    layout->addLayout(choose);

    const project::Dialog_Buttons buttons = project::Add_Dialog_Buttons(this, layout);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;

    connect(CB_Select_Type, &QComboBox::activated, this, &TFBACnet_Eng_Unit::CB_Select_TypeSelect);
    connect(Btn_Select_Eng_Unit, &QPushButton::clicked, this,
            &TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick);
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    CB_Select_TypeSelect();
    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this,
            &TFBACnet_Eng_Unit::Set_Lang);
}

void TFBACnet_Eng_Unit::Set_Lang() {
    setWindowTitle(state_.Text(Str_Caption));
    L_SW_Desc->setText(state_.Text(Str_Subtitle));
    Btn_OK->setText(state_.Text(Str_OK));
    Btn_Cancel->setText(state_.Text(Str_Cancel));
    L_Selected_EU->setText(state_.Text(Str_Selected_EU));
    L_Select_New->setText(state_.Text(Str_Select_New));
    L_Select_Type->setText(state_.Text(Str_Select_Type));
    L_Select_Unit->setText(state_.Text(Str_Select_Unit));
    Btn_Select_Eng_Unit->setText(state_.Text(Str_Select_Button));
}

void TFBACnet_Eng_Unit::Prepare(const QString& unit_text) {
    E_Selected_EU->setText(unit_text);
    Label5->setText(Unit_Label(Unit_Number(unit_text)));
}

void TFBACnet_Eng_Unit::FormShow() {
    L_SW_Code->setText(state_.SW_Code);
    CB_Select_TypeSelect();
}

int TFBACnet_Eng_Unit::Execute(const QString& unit_text) {
    Prepare(unit_text);
    FormShow();
    return exec();
}

void TFBACnet_Eng_Unit::CB_Select_TypeSelect() {
    CB_Select_Unit->clear();
    const int category = CB_Select_Type->currentIndex();
    if (category < 0)
        return;
    for (const int unit : Unit_Categories()[static_cast<size_t>(category)].units)
        CB_Select_Unit->addItem(Desc_Unit(unit));
    CB_Select_Unit->setCurrentIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick() {
    const int category = CB_Select_Type->currentIndex();
    const int unit = CB_Select_Unit->currentIndex();
    if (category < 0 || unit < 0)
        return;
    const int number =
        Unit_Categories()[static_cast<size_t>(category)].units[static_cast<size_t>(unit)];
    E_Selected_EU->setText(QString::number(number));
    Label5->setText(Unit_Label(number));
}

} // namespace bacnet
