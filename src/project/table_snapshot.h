#pragma once

#include <QList>
#include <QVariant>

class QAbstractItemModel;

namespace project {

/// @brief The contents of a table model as they were loaded (cell texts and check states), so
/// that Cancel asks before discarding only when the user really changed something: a value
/// typed over with the same text, or changed and changed back, is no change.
class Table_Snapshot {
public:
    /// Remembers the contents of @p model; call right after loading.
    void Take(const QAbstractItemModel& model);
    /// True when @p model no longer holds what Take saw.
    bool Differs(const QAbstractItemModel& model) const;

private:
    static QList<QVariant> Contents(const QAbstractItemModel& model);

    QList<QVariant> cells_;
};

} // namespace project
