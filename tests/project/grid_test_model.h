#pragma once

#include "project/table_rows.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>

/// @brief A small grid for the row operations: column 0 numbers the rows, the columns listed
/// in @c check_columns carry check boxes. A string grid keeps their state apart from the
/// text; a column grid keeps "Y"/"N"/"" as text. Cells listed in @c read_only are not editable.
class Grid_Test_Model final : public QAbstractTableModel {
public:
    Grid_Test_Model(project::Grid_Kind kind, int rows, int columns, QSet<int> check_columns)
        : kind_(kind), columns_(columns), check_columns_(std::move(check_columns)) {
        for (int row = 0; row < rows; ++row) {
            texts_ << QStringList(QList<QString>(columns));
            checks_ << QList<bool>(columns, false);
            texts_[row][0] = QString::number(row + 1);
        }
    }

    project::Table_Grid Grid() { return {*this, kind_}; }

    QSet<QPair<int, int>> read_only;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(texts_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columns_;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (check_columns_.contains(index.column()))
            flags |= Qt::ItemIsUserCheckable;
        if (index.column() > 0 && !read_only.contains({index.row(), index.column()}))
            flags |= Qt::ItemIsEditable;
        return flags;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return texts_[index.row()][index.column()];
        if (role == Qt::CheckStateRole && check_columns_.contains(index.column())) {
            const bool checked = kind_ == project::Grid_Kind::String_Grid
                                     ? checks_[index.row()][index.column()]
                                     : texts_[index.row()][index.column()] == QLatin1String("Y");
            return checked ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role == Qt::EditRole)
            texts_[index.row()][index.column()] = value.toString();
        else if (role == Qt::CheckStateRole)
            checks_[index.row()][index.column()] = value.toInt() == Qt::Checked;
        else
            return false;
        Q_EMIT dataChanged(index, index, {role});
        return true;
    }

    /// Row as "cell|cell|...", data columns only; a string-grid check box shows "Y"/"N".
    QString Row_Text(int row) const {
        QStringList cells;
        for (int column = 1; column < columns_; ++column) {
            if (kind_ == project::Grid_Kind::String_Grid && check_columns_.contains(column))
                cells << (checks_[row][column] ? QStringLiteral("Y") : QStringLiteral("N"));
            else
                cells << texts_[row][column];
        }
        return cells.join(u'|');
    }
    void Set_Row_Text(int row, const QString& text) {
        const QStringList cells = text.split(u'|');
        for (int column = 1; column < columns_; ++column) {
            const QString& cell = cells.value(column - 1);
            if (kind_ == project::Grid_Kind::String_Grid && check_columns_.contains(column))
                checks_[row][column] = cell == QLatin1String("Y");
            else
                texts_[row][column] = cell;
        }
    }
    QStringList Rows() const {
        QStringList rows;
        for (int row = 0; row < rowCount(); ++row)
            rows << Row_Text(row);
        return rows;
    }
    void Set_Rows(const QStringList& rows) {
        for (int row = 0; row < rows.size() && row < rowCount(); ++row)
            Set_Row_Text(row, rows[row]);
    }
    QStringList Row_Numbers() const {
        QStringList numbers;
        for (const QStringList& row : texts_)
            numbers << row[0];
        return numbers;
    }

private:
    project::Grid_Kind kind_;
    int columns_;
    QSet<int> check_columns_;
    QList<QStringList> texts_;
    QList<QList<bool>> checks_;
};
