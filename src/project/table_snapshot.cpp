#include "project/table_snapshot.h"

#include <QAbstractItemModel>

namespace project {

QList<QVariant> Table_Snapshot::Contents(const QAbstractItemModel& model) {
    QList<QVariant> cells;
    cells.reserve(model.rowCount() * model.columnCount() * 2);
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex cell = model.index(row, column);
            cells << model.data(cell, Qt::EditRole) << model.data(cell, Qt::CheckStateRole);
        }
    return cells;
}

void Table_Snapshot::Take(const QAbstractItemModel& model) {
    cells_ = Contents(model);
}

bool Table_Snapshot::Differs(const QAbstractItemModel& model) const {
    return Contents(model) != cells_;
}

} // namespace project
