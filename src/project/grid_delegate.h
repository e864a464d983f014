#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace project {

/// @brief Editors of the table grids: a fixed drop-down for cells that answer Choices_Role,
/// no text editor for check-box cells, read-only check boxes that do not toggle, read-only
/// cells shaded. Other cells get the plain text editor.
class Grid_Delegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit Grid_Delegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    /// Called after a drop-down choice was written to @p model: the place for a dialog's
    /// rules that follow a choice (read-only marks, presets). It may run while the dialog is
    /// being torn down, so it works on the model it is given, never on the dialog.
    std::function<void(QAbstractItemModel& model, const QModelIndex&)> Choice_Made;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace project
