#pragma once

#include "hart/scan_engine.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace lang {
class String_Table;
}

namespace hart {

/// One variable the scan found, as the result grid lists it.
struct Scan_Variable {
    bool Enable = true;
    QString Device_Address; // "0x" + ten upper-case hexadecimal digits
    QString Preamble_Count;
    QString Device_Name; // 32 characters
    QString Var_Code;    // slot name
    QString Var_Classification;
    QString Var_Unit;
    int Shade = 0; // 0 or 1, alternating from one listed device to the next

    bool operator==(const Scan_Variable&) const = default;
};

/// Device long address of a record: "0x" and bytes 1, 2, 9, 10 and 11 in upper-case hex.
QString Record_Device_Address(const Device_Record& record);
/// Device name of a record: bytes 61..92, one character per byte. Control characters
/// (the padding zeros among them) become blanks, so the name stays 32 characters and
/// can be written into a project file.
QString Record_Device_Name(const Device_Record& record);

/// @brief The variables to list from the first @p num_devices records, in device order then
/// entry order: only entries whose variable code is a named slot (242..250). Entries the
/// record cannot hold are ignored.
QList<Scan_Variable> Decode_Scan_Records(const QList<Device_Record>& records, int num_devices);

/// @brief The scan dialog's result grid: 8 columns (N, Enable, Device Address, Preamble
/// Count, Device Name, Var Code, Var Classification, Var Unit Code). With nothing to list it
/// holds one empty row without a check box. Shade_Role gives the device shade of a row.
class Scan_Result_Model final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Col_Number,
        Col_Enable,
        Col_Device_Address,
        Col_Preamble_Count,
        Col_Device_Name,
        Col_Var_Code,
        Col_Var_Classification,
        Col_Var_Unit,
        Column_Count
    };
    static constexpr int Shade_Role = Qt::UserRole + 2;

    explicit Scan_Result_Model(QObject* parent = nullptr);

    void Set_Lang(const lang::String_Table& texts);

    /// Lists @p variables; an empty list leaves the one empty row.
    void Set_Variables(const QList<Scan_Variable>& variables);
    const QList<Scan_Variable>& Variables() const { return variables_; }
    /// The listed variables whose check box is ticked, in grid order.
    QList<Scan_Variable> Selected() const;
    /// Ticks (or clears) every listed variable.
    void Select_All(bool checked);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString Text(const Scan_Variable& variable, int column) const;

    QList<Scan_Variable> variables_;
    QStringList headers_;
};

} // namespace hart
