#pragma once

#include "hart/hart_variables.h"
#include "project/grid_roles.h"

#include <QAbstractTableModel>

#include <array>

namespace lang {
class String_Table;
}

namespace hart {

/// @brief The grid of the HART variables dialog: 100 table rows, column 0 the row number,
/// columns 1..12 the fields. Enable, Swap and Conv Int are check boxes whose state is kept
/// apart from the text. Read-only marks belong to the grid position: writing texts or states
/// (also by the row operations) never changes them; only the read-only rule does.
class HART_Variables_Model final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Col_Number,
        Col_Enable,
        Col_Device_Address,
        Col_Preamble_Count,
        Col_Type,
        Col_Var_Cmd_Number,
        Col_Params,
        Col_Position,
        Col_Swap,
        Col_Conv_Int,
        Col_Operations,
        Col_TimeOut,
        Col_Mnemonic,
        Column_Count
    };

    static constexpr int Read_Only_Role = project::Read_Only_Role;

    explicit HART_Variables_Model(QObject* parent = nullptr);

    /// Header texts and column hints from the string table.
    void Set_Lang(const lang::String_Table& texts);

    /// Empties every row (Enable checked, Swap and Conv Int unchecked), fills the first rows
    /// from @p rows and applies the read-only rule to every row.
    void Set_Rows(const QList<HART_Variable_Row>& rows);
    QList<HART_Variable_Row> Rows() const;
    /// Replaces the texts and states of one row; its read-only marks stay as they are.
    void Set_Row(int row, const HART_Variable_Row& value);
    const HART_Variable_Row& Row(int row) const { return rows_[row]; }

    /// Command row: Params editable, Swap, Conv Int and Operations read-only; any other row
    /// the other way round.
    void Apply_Read_Only_Rule(int row);
    /// Params editable exactly when the Type is "Command" (as it stands).
    void Apply_Params_Rule(int row);
    bool Is_Read_Only(int row, int column) const;

    static bool Is_Check_Column(int column);
    /// The fixed drop-down texts of a choice column (Type, Operations); empty for others.
    static QStringList Choices(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString* Text_Field(int row, int column);
    const QString* Text_Field(int row, int column) const;
    bool* Check_Field(int row, int column);
    const bool* Check_Field(int row, int column) const;
    void Set_Read_Only(int row, int column, bool read_only);

    QList<HART_Variable_Row> rows_;
    QList<std::array<bool, Column_Count>> read_only_;
    QStringList headers_;
    QStringList hints_;
};

} // namespace hart
