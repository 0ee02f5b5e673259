// The point sizes a font may take anywhere in the program: in a theme, on a page, in a report file.
// One range for all, so that any page a theme composes is drawn, saved and loaded again alike.
#pragma once

#include <algorithm>
#include <cstdint>

namespace orvella {

inline constexpr int kMinFontPoints = 1;
inline constexpr int kMaxFontPoints = 1000;  // 35 cm: more than a sheet of A4 is high

// Any size, even one that a sum has carried past int, brought into the range.
constexpr int clampFontPoints(std::int64_t points) {
  return static_cast<int>(std::clamp<std::int64_t>(points, kMinFontPoints, kMaxFontPoints));
}

}  // namespace orvella
