#pragma once

#include "hart/hart_variables.h"

/// A full HART table whose cells are as long as the grid takes, filled with @p letter: a save of
/// about 160 kB, so that a process killed while saving is caught in the middle of writing.
inline QList<hart::HART_Variable_Row> Large_Table(char letter) {
    QList<hart::HART_Variable_Row> rows;
    for (int i = 0; i < hart::HART_Variables_Rows; ++i) {
        hart::HART_Variable_Row row;
        row.Device_Address = QString::number(i + 1);
        row.Preamble_Count = QStringLiteral("5");
        row.Var_Cmd_Type = QStringLiteral("Var");
        row.Var_Cmd_Number = QStringLiteral("246");
        row.Position = QString::number(i * 4);
        row.Var_Operation = QStringLiteral("None");
        row.TimeOut = QStringLiteral("1000");
        row.Cmd_Params = QString(500, QChar::fromLatin1(letter));
        row.Mnemonic = QString(1000, QChar::fromLatin1(letter));
        rows << row;
    }
    return rows;
}
