#pragma once

#include <QString>

#include <span>

namespace bacnet {

/// Units 0 .. Unit_Catalogue_Size - 1 of the BACnet engineering-units enumeration have names.
inline constexpr int Unit_Catalogue_Size = 237;

/// One group of the unit picker: its fixed name and its unit numbers in list order.
struct Unit_Category {
    const char* name;
    std::span<const int> units;
};

/// @brief The catalogue name of unit @p number ("degrees-Celsius" for 62), or "unknown" for
/// any number outside the catalogue, negative numbers included.
QString Desc_Unit(int number);

/// The 23 categories of the picker, "Acceleration" first and "Other" last. Every catalogue
/// unit belongs to exactly one of them.
std::span<const Unit_Category> Unit_Categories();

/// @brief The cell text read as a unit number as the picker label reads it: a decimal
/// integer, or -1 (which names no unit) for anything else.
int Unit_Number(const QString& text);

} // namespace bacnet
