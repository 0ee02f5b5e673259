// The grid of day cells under the weekday header.
#include "calendar/page/day_grid.h"

#include <cmath>

namespace orvella::page {

DayGrid::DayGrid(double k)
    : k(k),
      top(scaled(78)),
      width(scaled(66)),
      pitch(scaled(69)),
      left0(scaled(61)),
      rowPitch(scaled(50)),
      textOffset(scaled(31)),
      textHeight(scaled(18)),
      iconSide(scaled(20)),
      iconLeft0(scaled(72)) {}

int DayGrid::scaled(int constant) const { return static_cast<int>(std::nearbyint(k * constant)); }

DayGrid::Cell DayGrid::cellOf(int weekdayOfFirst, int day, int firstWeekday) {
  const int position = columnOf(weekdayOfFirst, firstWeekday) + day - 1;
  return Cell{position % 7, position / 7};
}

}  // namespace orvella::page
