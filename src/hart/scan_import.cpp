#include "hart/scan_import.h"

#include "hart/hart_reference.h"

namespace hart {

project::Load_Status Read_Scan_Address(const QString& pargen_path, comm::Octet_Texts& octets,
                                       QString& error) {
    comm::ParGen_Record texts;
    const project::Load_Status status =
        comm::Load_ParGen_Texts(pargen_path, comm::ParGen_Record(), texts, error);
    // A missing file leaves the boxes as they are rather than taking the defaults.
    if (status == project::Load_Status::Loaded)
        octets = texts.Ethernet_IP;
    return status;
}

void Clear_For_Import(QList<HART_Variable_Row>& rows) {
    for (HART_Variable_Row& row : rows) {
        HART_Variable_Row cleared;
        cleared.Swap = row.Swap;
        cleared.Conv_Int = row.Conv_Int;
        row = cleared;
    }
}

Scan_Import_Result Import_Scan_Variables(QList<HART_Variable_Row>& rows,
                                         const QList<Scan_Variable>& selected) {
    Scan_Import_Result result;
    const int table_rows = int(rows.size());
    result.first_row = table_rows;
    for (int row = 0; row < table_rows; ++row)
        if (rows[row].Device_Address.isEmpty()) {
            result.first_row = row;
            break;
        }
    const int room = table_rows - result.first_row;
    result.imported = std::min<int>(room, int(selected.size()));
    result.not_imported = int(selected.size()) - result.imported;
    for (int i = 0; i < result.imported; ++i) {
        const Scan_Variable& variable = selected[i];
        HART_Variable_Row& row = rows[result.first_row + i];
        HART_Variable_Row filled;
        filled.Device_Address = variable.Device_Address;
        filled.Preamble_Count = variable.Preamble_Count;
        filled.Var_Cmd_Type = QStringLiteral("Var");
        filled.Var_Cmd_Number = QString::number(Slot_Code(variable.Var_Code));
        filled.Mnemonic = variable.Device_Name + QStringLiteral(" - ") + variable.Var_Code;
        filled.Swap = row.Swap;
        filled.Conv_Int = row.Conv_Int;
        row = filled;
    }
    return result;
}

} // namespace hart
