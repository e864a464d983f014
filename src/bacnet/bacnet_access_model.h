#pragma once

#include "bacnet/bacnet_access.h"

#include <QAbstractTableModel>

#include <array>

namespace lang {
class String_Table;
}

namespace bacnet {

/// @brief One grid of the BACnet access dialog: column 0 the row number, columns 1..8 the
/// fields of a row. Every cell holds only text; Swap and Swap Word show as check boxes whose
/// text is "Y", "N" or empty (unchecked).
class BACnet_Access_Model final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Col_Number,
        Col_Data_Type,
        Col_Eng_Unit,
        Col_Position,
        Col_Start_Bit,
        Col_Length,
        Col_Swap,
        Col_Swap_Word,
        Col_Mnemonic,
        Column_Count
    };

    explicit BACnet_Access_Model(Access_Table table, QObject* parent = nullptr);

    Access_Table Table() const { return table_; }

    /// Header texts from the string table.
    void Set_Lang(const lang::String_Table& texts);

    /// @p row_count empty rows, the first ones filled from @p rows.
    void Set_Rows(const QList<BACnet_Access_Row>& rows, int row_count);
    const QList<BACnet_Access_Row>& Rows() const { return rows_; }

    /// Applies the Length preset of a Data Type choice made in @p row.
    void Apply_Length_Preset(int row);

    static bool Is_Check_Column(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString* Field(int row, int column);
    const QString* Field(int row, int column) const;

    Access_Table table_;
    QList<BACnet_Access_Row> rows_;
    QStringList headers_;
};

} // namespace bacnet
