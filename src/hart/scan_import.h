#pragma once

#include "comm/pargen_record.h"
#include "hart/hart_variables.h"
#include "hart/scan_records.h"

#include <QList>
#include <QString>

namespace hart {

/// @brief The converter's IP address octets for the scan, from `ParGen.xml`
/// (`Ethernet_IP1`..`Ethernet_IP4`, "192", "168", "0", "10" when missing).
/// Missing: the file does not exist and @p octets are left as they are.
/// Failed: @p error names the file and the reason.
project::Load_Status Read_Scan_Address(const QString& pargen_path, comm::Octet_Texts& octets,
                                       QString& error);

/// What an import changed.
struct Scan_Import_Result {
    int first_row = 0;    // table row (0-based) the first variable went to
    int imported = 0;     // rows filled, first_row onwards
    int not_imported = 0; // selected variables for which no row was left
};

/// @brief Clears every table row for an overwrite: Enable checked and every text emptied;
/// Swap and Conv Int keep their state.
void Clear_For_Import(QList<HART_Variable_Row>& rows);

/// @brief Fills table rows from the first row with an empty address onwards with @p selected:
/// Enable checked, address, preamble, Type "Var", the slot code, Params, Position, Operations
/// and TimeOut emptied, Mnemonic "name - variable"; Swap and Conv Int keep their state.
/// The table never grows past its 100 rows: the variables left over are counted, and a
/// table without an empty address takes none (its rows are never overwritten unasked).
Scan_Import_Result Import_Scan_Variables(QList<HART_Variable_Row>& rows,
                                         const QList<Scan_Variable>& selected);

} // namespace hart
