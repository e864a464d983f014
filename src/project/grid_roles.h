#pragma once

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

} // namespace project
