// The built-in name-day table: entry of month m (1..12) and day d (1..31) at (m - 1) * 31 + (d - 1).
#pragma once

#include <array>

namespace orvella {

inline constexpr int kNameDayEntries = 12 * 31;

// UTF-8 texts; empty for 30 and 31 February and 31 April, June, September and November.
const std::array<const char*, kNameDayEntries>& builtInNameDays();

}  // namespace orvella
