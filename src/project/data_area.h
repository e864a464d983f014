#pragma once

namespace project {

/// @brief Size of the converter's data area of process values: HART variables write into it
/// and BACnet objects read from or write to it, at byte positions 0 to Data_Area_Size - 1.
inline constexpr int Data_Area_Size = 1440;

} // namespace project
