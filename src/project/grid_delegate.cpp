#include "project/grid_delegate.h"

#include "project/grid_roles.h"

#include <QComboBox>
#include <QEvent>

namespace project {

namespace {

bool Is_Check_Cell(const QModelIndex& index) {
    return index.flags().testFlag(Qt::ItemIsUserCheckable);
}

bool Is_Toggle_Event(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        return true;
    default:
        return false;
    }
}

} // namespace

QWidget* Grid_Delegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    if (Is_Check_Cell(index))
        return nullptr;
    const QStringList choices = index.data(Choices_Role).toStringList();
    if (choices.isEmpty())
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->addItems(choices);
    // A choice takes effect at once, as the drop-down closes.
    connect(combo, &QComboBox::activated, this,
            [this, combo] { Q_EMIT const_cast<Grid_Delegate*>(this)->commitData(combo); });
    return combo;
}

void Grid_Delegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void Grid_Delegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    if (combo->currentIndex() < 0)
        return;
    model->setData(index, combo->currentText(), Qt::EditRole);
    if (Choice_Made)
        Choice_Made(*model, index);
}

bool Grid_Delegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                const QStyleOptionViewItem& option, const QModelIndex& index) {
    const bool read_only_check = Is_Check_Cell(index) && index.data(Read_Only_Role).toBool();
    if (read_only_check && Is_Toggle_Event(event))
        return true;
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

void Grid_Delegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.data(Read_Only_Role).toBool())
        option->backgroundBrush = option->palette.brush(QPalette::Disabled, QPalette::Window);
}

} // namespace project
