#pragma once

#include <QString>
#include <QVariant>
#include <Qt>

namespace project {

/// @brief Data roles every table model of the editors may answer, read by the shared grid
/// delegate.
enum Grid_Role {
    /// bool: the cell is read-only; the grid shades it and its check box does not toggle.
    Read_Only_Role = Qt::UserRole + 1,
    /// QStringList: the cell is edited with a drop-down of exactly these texts.
    Choices_Role,
};

/// What the row-number column (column 0 of every table grid) shows for model row @p row: the
/// table row number, centred; nothing for other roles.
inline QVariant Row_Number_Data(int row, int role) {
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::number(row + 1);
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    return {};
}

} // namespace project
