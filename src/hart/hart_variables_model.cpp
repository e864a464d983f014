#include "hart/hart_variables_model.h"

#include "lang/string_table.h"

namespace hart {

namespace {

// Header texts by column, then the hints of columns 1..12.
constexpr std::array<int, HART_Variables_Model::Column_Count> Header_Ids{
    1214, 1215, 1216, 1217, 1218, 1219, 1220, 1221, 1222, 1223, 1224, 1250, 1225};
constexpr std::array<int, HART_Variables_Model::Column_Count - 1> Hint_Ids{
    1226, 1227, 1228, 1229, 1230, 1231, 1232, 1233, 1234, 1235, 1251, 1236};

} // namespace

HART_Variables_Model::HART_Variables_Model(QObject* parent)
    : QAbstractTableModel(parent), rows_(HART_Variables_Rows),
      read_only_(HART_Variables_Rows, std::array<bool, Column_Count>{}) {
    for (int column = 0; column < Column_Count; ++column)
        headers_ << QString();
    for (int row = 0; row < HART_Variables_Rows; ++row)
        Apply_Read_Only_Rule(row);
}

void HART_Variables_Model::Set_Lang(const lang::String_Table& texts) {
    headers_.clear();
    hints_.clear();
    for (const int id : Header_Ids)
        headers_ << texts.Text(id);
    for (const int id : Hint_Ids)
        hints_ << texts.Text(id);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, Column_Count - 1);
}

void HART_Variables_Model::Set_Rows(const QList<HART_Variable_Row>& rows) {
    beginResetModel();
    for (int row = 0; row < HART_Variables_Rows; ++row) {
        rows_[row] = row < rows.size() ? rows[row] : HART_Variable_Row();
        Apply_Read_Only_Rule(row);
    }
    endResetModel();
}

QList<HART_Variable_Row> HART_Variables_Model::Rows() const {
    return rows_;
}

void HART_Variables_Model::Set_Row(int row, const HART_Variable_Row& value) {
    if (rows_[row] == value)
        return;
    rows_[row] = value;
    Q_EMIT dataChanged(index(row, Col_Enable), index(row, Column_Count - 1));
}

bool HART_Variables_Model::Is_Check_Column(int column) {
    return column == Col_Enable || column == Col_Swap || column == Col_Conv_Int;
}

QStringList HART_Variables_Model::Choices(int column) {
    if (column == Col_Type)
        return Type_SL();
    if (column == Col_Operations)
        return Operations_SL();
    return {};
}

void HART_Variables_Model::Set_Read_Only(int row, int column, bool read_only) {
    if (read_only_[row][column] == read_only)
        return;
    read_only_[row][column] = read_only;
    const QModelIndex cell = index(row, column);
    Q_EMIT dataChanged(cell, cell, {Read_Only_Role});
}

void HART_Variables_Model::Apply_Read_Only_Rule(int row) {
    const bool command = rows_[row].Var_Cmd_Type == QLatin1String("Command");
    Set_Read_Only(row, Col_Params, !command);
    Set_Read_Only(row, Col_Swap, command);
    Set_Read_Only(row, Col_Conv_Int, command);
    Set_Read_Only(row, Col_Operations, command);
}

void HART_Variables_Model::Apply_Params_Rule(int row) {
    Set_Read_Only(row, Col_Params, rows_[row].Var_Cmd_Type != QLatin1String("Command"));
}

bool HART_Variables_Model::Is_Read_Only(int row, int column) const {
    return read_only_[row][column];
}

int HART_Variables_Model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : HART_Variables_Rows;
}

int HART_Variables_Model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Column_Count;
}

const QString* HART_Variables_Model::Text_Field(int row, int column) const {
    return const_cast<HART_Variables_Model*>(this)->Text_Field(row, column);
}

QString* HART_Variables_Model::Text_Field(int row, int column) {
    HART_Variable_Row& r = rows_[row];
    switch (column) {
    case Col_Device_Address:
        return &r.Device_Address;
    case Col_Preamble_Count:
        return &r.Preamble_Count;
    case Col_Type:
        return &r.Var_Cmd_Type;
    case Col_Var_Cmd_Number:
        return &r.Var_Cmd_Number;
    case Col_Params:
        return &r.Cmd_Params;
    case Col_Position:
        return &r.Position;
    case Col_Operations:
        return &r.Var_Operation;
    case Col_TimeOut:
        return &r.TimeOut;
    case Col_Mnemonic:
        return &r.Mnemonic;
    default:
        return nullptr;
    }
}

const bool* HART_Variables_Model::Check_Field(int row, int column) const {
    return const_cast<HART_Variables_Model*>(this)->Check_Field(row, column);
}

bool* HART_Variables_Model::Check_Field(int row, int column) {
    HART_Variable_Row& r = rows_[row];
    switch (column) {
    case Col_Enable:
        return &r.Enable;
    case Col_Swap:
        return &r.Swap;
    case Col_Conv_Int:
        return &r.Conv_Int;
    default:
        return nullptr;
    }
}

QVariant HART_Variables_Model::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    if (column == Col_Number)
        return project::Row_Number_Data(row, role);
    if (role == Read_Only_Role)
        return read_only_[row][column];
    if (role == project::Choices_Role)
        return Choices(column);
    if (Is_Check_Column(column)) {
        if (role == Qt::CheckStateRole)
            return *Check_Field(row, column) ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::EditRole)
            return QString(); // the state carries no text
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return *Text_Field(row, column);
    return {};
}

bool HART_Variables_Model::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::CheckStateRole) {
        bool* field = Check_Field(row, column);
        if (!field)
            return false;
        *field = value.toInt() == Qt::Checked;
    } else if (role == Qt::EditRole) {
        QString* field = Text_Field(row, column);
        if (!field)
            return false;
        *field = value.toString();
    } else {
        return false;
    }
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags HART_Variables_Model::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Col_Number)
        return flags;
    if (Is_Check_Column(index.column()))
        flags |= Qt::ItemIsUserCheckable;
    if (!read_only_[index.row()][index.column()])
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant HART_Variables_Model::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Column_Count)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return headers_.value(section);
    if (role == Qt::ToolTipRole && section >= 1)
        return hints_.value(section - 1);
    return {};
}

} // namespace hart
