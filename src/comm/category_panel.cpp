#include "comm/category_panel.h"

#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

namespace comm {

Category_Panel::Category_Panel(const QString& title, QWidget* parent) : QWidget(parent) {
    title_bar_ = new QToolButton(this);
    title_bar_->setText(title);
    title_bar_->setCheckable(true);
    title_bar_->setChecked(true);
    title_bar_->setArrowType(Qt::DownArrow);
    title_bar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    title_bar_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    title_bar_->setFocusPolicy(Qt::NoFocus);
    QFont font = title_bar_->font();
    font.setBold(true);
    title_bar_->setFont(font);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    content_ = frame;
    content_layout_ = new QVBoxLayout(frame);
    content_layout_->setContentsMargins(8, 6, 8, 6);
    content_layout_->setSpacing(4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title_bar_);
    layout->addWidget(content_);

    connect(title_bar_, &QToolButton::toggled, this,
            [this](bool expanded) { Set_Collapsed(!expanded); });
}

QString Category_Panel::Title() const {
    return title_bar_->text();
}

bool Category_Panel::Collapsed() const {
    return content_->isHidden();
}

void Category_Panel::Set_Collapsed(bool collapsed) {
    title_bar_->setChecked(!collapsed);
    title_bar_->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
    content_->setHidden(collapsed);
}

} // namespace comm
