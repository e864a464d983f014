#include "project/dialog_header.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace project {

Dialog_Header Add_Dialog_Header(QWidget* owner, QVBoxLayout* layout, const QString& sw_code) {
    Dialog_Header header;
    header.L_SW_Code = new QLabel(sw_code, owner);
    header.L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    QFont code_font = header.L_SW_Code->font();
    code_font.setPointSizeF(code_font.pointSizeF() * 2.2);
    code_font.setBold(true);
    header.L_SW_Code->setFont(code_font);
    header.L_SW_Code->setStyleSheet(QStringLiteral("color: #808080;"));

    header.L_SW_Desc = new QLabel(owner);
    header.L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    QFont desc_font = header.L_SW_Desc->font();
    desc_font.setBold(true);
    header.L_SW_Desc->setFont(desc_font);

    auto* line = new QFrame(owner);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    layout->addWidget(header.L_SW_Code);
    layout->addWidget(header.L_SW_Desc);
    layout->addWidget(line);
    return header;
}

Dialog_Buttons Add_Dialog_Buttons(QWidget* owner, QVBoxLayout* layout) {
    Dialog_Buttons buttons;
    buttons.Btn_OK = new QPushButton(owner);
    buttons.Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    buttons.Btn_Cancel = new QPushButton(owner);
    buttons.Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : {buttons.Btn_OK, buttons.Btn_Cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        row->addWidget(button);
    }
    layout->addLayout(row);
    return buttons;
}

void Set_Hint(QWidget* widget, const QString& text) {
    widget->setToolTip(text.trimmed().isEmpty() ? QString() : text);
}

void Fit_To_Screen(QWidget* dialog, const QSize& preferred, const QSize& minimum) {
    dialog->setMinimumSize(minimum);
    QSize size = preferred;
    if (const QScreen* screen = dialog->screen()) {
        // Leave room for the window frame and title bar the system adds around the dialog.
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        size = size.boundedTo(room);
    }
    dialog->resize(size.expandedTo(minimum));
}

} // namespace project
