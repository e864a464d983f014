#include "bacnet/bacnet_access_model.h"

#include "lang/string_table.h"
#include "project/grid_roles.h"

namespace bacnet {

namespace {

using Header_Ids = std::array<int, BACnet_Access_Model::Column_Count>;
constexpr Header_Ids Read_Header_Ids{1316, 1317, 1318, 1319, 1320, 1321, 1322, 1361, 1323};
constexpr Header_Ids Write_Header_Ids{1324, 1325, 1326, 1327, 1328, 1329, 1330, 1362, 1331};

} // namespace

BACnet_Access_Model::BACnet_Access_Model(Access_Table table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    for (int column = 0; column < Column_Count; ++column)
        headers_ << QString();
}

void BACnet_Access_Model::Set_Lang(const lang::String_Table& texts) {
    headers_.clear();
    for (const int id : table_ == Access_Table::Read ? Read_Header_Ids : Write_Header_Ids)
        headers_ << texts.Text(id);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, Column_Count - 1);
}

void BACnet_Access_Model::Set_Rows(const QList<BACnet_Access_Row>& rows, int row_count) {
    beginResetModel();
    rows_ = rows.mid(0, row_count);
    rows_.resize(row_count);
    endResetModel();
}

void BACnet_Access_Model::Apply_Length_Preset(int row) {
    if (row < 0 || row >= rows_.size())
        return;
    const std::optional<QString> preset =
        Length_Preset(table_, rows_[row].Data_Type, rows_[row].Length);
    if (preset)
        setData(index(row, Col_Length), *preset, Qt::EditRole);
}

bool BACnet_Access_Model::Is_Check_Column(int column) {
    return column == Col_Swap || column == Col_Swap_Word;
}

int BACnet_Access_Model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BACnet_Access_Model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Column_Count;
}

const QString* BACnet_Access_Model::Field(int row, int column) const {
    return const_cast<BACnet_Access_Model*>(this)->Field(row, column);
}

QString* BACnet_Access_Model::Field(int row, int column) {
    BACnet_Access_Row& r = rows_[row];
    switch (column) {
    case Col_Data_Type:
        return &r.Data_Type;
    case Col_Eng_Unit:
        return &r.Eng_Unit;
    case Col_Position:
        return &r.Position;
    case Col_Start_Bit:
        return &r.Bit;
    case Col_Length:
        return &r.Length;
    case Col_Swap:
        return &r.Swap;
    case Col_Swap_Word:
        return &r.SwapWord;
    case Col_Mnemonic:
        return &r.Mnemonic;
    default:
        return nullptr;
    }
}

QVariant BACnet_Access_Model::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    if (column == Col_Number)
        return project::Row_Number_Data(row, role);
    if (role == project::Choices_Role) {
        if (column == Col_Data_Type)
            return Data_Type_Choices(table_);
        if (column == Col_Position)
            return Position_Choices();
        if (column == Col_Start_Bit)
            return Start_Bit_Choices();
        return {};
    }
    const QString& text = *Field(row, column);
    if (Is_Check_Column(column)) {
        if (role == Qt::CheckStateRole)
            return text == QLatin1String("Y") ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::EditRole)
            return text;
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text;
    return {};
}

bool BACnet_Access_Model::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() == Col_Number)
        return false;
    QString* field = Field(index.row(), index.column());
    if (role == Qt::CheckStateRole && Is_Check_Column(index.column()))
        *field = value.toInt() == Qt::Checked ? QStringLiteral("Y") : QStringLiteral("N");
    else if (role == Qt::EditRole)
        *field = value.toString();
    else
        return false;
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags BACnet_Access_Model::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Col_Number)
        return flags;
    if (Is_Check_Column(index.column()))
        return flags | Qt::ItemIsUserCheckable;
    return flags | Qt::ItemIsEditable;
}

QVariant BACnet_Access_Model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < Column_Count)
        return headers_.value(section);
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole)
        return {}; // the grids have no hints
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace bacnet
