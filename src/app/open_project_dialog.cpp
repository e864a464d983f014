#include "app/open_project_dialog.h"

#include "app/projects.h"
#include "lang/language_events.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

TFOpenConf::TFOpenConf(Session_State& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("FOpenConf"));
    auto* layout = new QVBoxLayout(this);
    header_ = project::Add_Dialog_Header(this, layout, state_.SW_Code);

    Label1 = new QLabel(this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);

    const project::Dialog_Buttons buttons = project::Add_Dialog_Buttons(this, layout);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;

    connect(ListBox1, &QListWidget::currentTextChanged, this,
            [this](const QString& text) { Name_Conf = text; });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    ListBox1->installEventFilter(this);
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this,
            &TFOpenConf::Set_Lang);
    resize(420, 380);
}

void TFOpenConf::Set_Lang() {
    setWindowTitle(state_.Text(200));
    header_.L_SW_Desc->setText(state_.Text(201));
    Label1->setText(state_.Text(202));
    Btn_OK->setText(state_.Text(203));
    Btn_Cancel->setText(state_.Text(204));
    project::Set_Hint(ListBox1, state_.Text(205));
    project::Set_Hint(Btn_OK, state_.Text(206));
    project::Set_Hint(Btn_Cancel, state_.Text(207));
}

bool TFOpenConf::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list opens the selected project, as OK does (the dialog has no default
    // button that would take the key).
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFOpenConf::FormShow() {
    SL = Load_Existing_Configuration(state_.Projects_Folder);
    ListBox1->clear();
    ListBox1->addItems(SL);
    Name_Conf.clear();
    if (SL.isEmpty())
        return;
    const int found = Search_Open_Conf(SL, Active_Project_Folder_Name(state_));
    ListBox1->setCurrentRow(found >= 0 ? found : 0);
    Name_Conf = SL[found >= 0 ? found : 0];
}

} // namespace app
