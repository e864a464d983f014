#include "hart/scan_records.h"

#include "hart/hart_reference.h"
#include "lang/string_table.h"

namespace hart {

namespace {

// Offsets in a device record.
constexpr int Preamble_Offset = 3;
constexpr std::array<int, 5> Address_Offsets{1, 2, 9, 10, 11};
constexpr int Name_Offset = 61;
constexpr int Name_Size = 32;
constexpr int Entry_Count_Offset = 115;
constexpr int First_Entry_Offset = 119;
constexpr int Entry_Size = 3;

constexpr int First_Header_Id = 1628;

qint32 Entry_Count(const Device_Record& record) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | record[size_t(Entry_Count_Offset + i)];
    return static_cast<qint32>(value);
}

} // namespace

QString Record_Device_Address(const Device_Record& record) {
    QString text = QStringLiteral("0x");
    for (const int offset : Address_Offsets)
        text += QStringLiteral("%1").arg(record[size_t(offset)], 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

QString Record_Device_Name(const Device_Record& record) {
    QString name;
    for (int i = 0; i < Name_Size; ++i) {
        const quint8 byte = record[size_t(Name_Offset + i)];
        name += byte < 0x20 || byte == 0x7F ? QChar(u' ') : QChar(byte);
    }
    return name;
}

QList<Scan_Variable> Decode_Scan_Records(const QList<Device_Record>& records, int num_devices) {
    QList<Scan_Variable> variables;
    int shade = 0;
    const int devices = std::min<int>(num_devices, int(records.size()));
    for (int device = 0; device < devices; ++device) {
        const Device_Record& record = records[device];
        const qint32 declared = Entry_Count(record);
        const int room = (Device_Record_Size - First_Entry_Offset) / Entry_Size;
        const int entries = std::clamp<qint32>(declared, 0, room);
        bool listed = false;
        for (int k = 0; k < entries; ++k) {
            const size_t entry = size_t(First_Entry_Offset + Entry_Size * k);
            const Slot_Name_Result slot = Slot_Name(record[entry]);
            if (!slot.found)
                continue;
            Scan_Variable variable;
            variable.Device_Address = Record_Device_Address(record);
            variable.Preamble_Count = QString::number(record[Preamble_Offset]);
            variable.Device_Name = Record_Device_Name(record);
            variable.Var_Code = slot.text;
            variable.Var_Classification = Classification_Name(record[entry + 1]);
            variable.Var_Unit = Unit_Name(record[entry + 2]);
            variable.Shade = shade;
            variables << variable;
            listed = true;
        }
        // Devices with nothing listed take no shade, so listed neighbours always differ.
        if (listed)
            shade = 1 - shade;
    }
    return variables;
}

Scan_Result_Model::Scan_Result_Model(QObject* parent) : QAbstractTableModel(parent) {
    for (int column = 0; column < Column_Count; ++column)
        headers_ << QString();
}

void Scan_Result_Model::Set_Lang(const lang::String_Table& texts) {
    for (int column = 0; column < Column_Count; ++column)
        headers_[column] = texts.Text(First_Header_Id + column);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, Column_Count - 1);
}

void Scan_Result_Model::Set_Variables(const QList<Scan_Variable>& variables) {
    beginResetModel();
    variables_ = variables;
    endResetModel();
}

QList<Scan_Variable> Scan_Result_Model::Selected() const {
    QList<Scan_Variable> selected;
    for (const Scan_Variable& variable : variables_)
        if (variable.Enable)
            selected << variable;
    return selected;
}

void Scan_Result_Model::Select_All(bool checked) {
    for (Scan_Variable& variable : variables_)
        variable.Enable = checked;
    if (!variables_.isEmpty())
        Q_EMIT dataChanged(index(0, Col_Enable), index(rowCount() - 1, Col_Enable),
                           {Qt::CheckStateRole});
}

int Scan_Result_Model::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return variables_.isEmpty() ? 1 : int(variables_.size());
}

int Scan_Result_Model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Column_Count;
}

QString Scan_Result_Model::Text(const Scan_Variable& variable, int column) const {
    switch (column) {
    case Col_Device_Address:
        return variable.Device_Address;
    case Col_Preamble_Count:
        return variable.Preamble_Count;
    case Col_Device_Name:
        return variable.Device_Name;
    case Col_Var_Code:
        return variable.Var_Code;
    case Col_Var_Classification:
        return variable.Var_Classification;
    case Col_Var_Unit:
        return variable.Var_Unit;
    default:
        return {};
    }
}

QVariant Scan_Result_Model::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || variables_.isEmpty())
        return {};
    const Scan_Variable& variable = variables_[index.row()];
    if (role == Shade_Role)
        return variable.Shade;
    switch (index.column()) {
    case Col_Number:
        if (role == Qt::DisplayRole)
            return QString::number(index.row() + 1);
        if (role == Qt::TextAlignmentRole)
            return Qt::AlignCenter;
        return {};
    case Col_Enable:
        if (role == Qt::CheckStateRole)
            return variable.Enable ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        if (role == Qt::DisplayRole)
            return Text(variable, index.column());
        return {};
    }
}

bool Scan_Result_Model::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || variables_.isEmpty() || index.column() != Col_Enable ||
        role != Qt::CheckStateRole)
        return false;
    variables_[index.row()].Enable = value.toInt() == Qt::Checked;
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags Scan_Result_Model::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Col_Enable && !variables_.isEmpty())
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant Scan_Result_Model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < Column_Count)
        return headers_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace hart
