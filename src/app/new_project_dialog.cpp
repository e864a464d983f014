#include "app/new_project_dialog.h"

#include "app/projects.h"
#include "lang/language_events.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

TFNew_Project::TFNew_Project(Session_State& state, project::User_Prompt& prompt, QWidget* parent)
    : QDialog(parent), state_(state), prompt_(prompt) {
    setObjectName(QStringLiteral("FNew_Project"));
    auto* layout = new QVBoxLayout(this);
    header_ = project::Add_Dialog_Header(this, layout, state_.SW_Code);

    Label1 = new QLabel(this);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    layout->addWidget(Label1);
    layout->addWidget(E_New_Proj);
    layout->addStretch();

    // Enter in the name box runs OK itself (returnPressed below).
    const project::Dialog_Buttons buttons = project::Add_Dialog_Buttons(this, layout);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;

    connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::Btn_OKClick);

    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this,
            &TFNew_Project::Set_Lang);
    setFixedSize(QSize(420, sizeHint().height()));
}

void TFNew_Project::Set_Lang() {
    setWindowTitle(state_.Text(100));
    header_.L_SW_Desc->setText(state_.Text(101));
    Label1->setText(state_.Text(102));
    Btn_OK->setText(state_.Text(103));
    Btn_Cancel->setText(state_.Text(104));
    project::Set_Hint(E_New_Proj, state_.Text(108));
    project::Set_Hint(Btn_OK, state_.Text(109));
    project::Set_Hint(Btn_Cancel, state_.Text(110));
}

void TFNew_Project::FormShow() {
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

void TFNew_Project::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    E_New_Proj->setFocus();
}

void TFNew_Project::Btn_OKClick() {
    const int message = Create_Project(state_, E_New_Proj->text());
    if (message != 0) {
        prompt_.Error(state_.Text(message));
        return;
    }
    accept();
}

} // namespace app
