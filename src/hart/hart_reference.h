#pragma once

#include <QString>

namespace hart {

/// Device-variable slot name and whether the code is one of the named slots (242..250).
struct Slot_Name_Result {
    QString text;
    bool found = false;
};

/// Name of the device-variable slot @p code; for codes other than 242..250 the code in decimal.
Slot_Name_Result Slot_Name(quint8 code);

/// Code of the slot whose name equals @p name exactly (case-sensitive); otherwise @p name read
/// as a decimal integer, or 0 when it is not one.
int Slot_Code(const QString& name);

/// Device-variable classification name; codes 112..255 give the code in decimal.
QString Classification_Name(quint8 code);

/// Engineering unit name for codes 1..156; code 0 and 157..255 give the code in decimal.
QString Unit_Name(quint8 code);

} // namespace hart
