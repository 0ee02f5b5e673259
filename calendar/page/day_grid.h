// The grid of day cells under the weekday header, beside the page's static layout: seven columns of
// cells, up to six rows, in layout units of a page k times as wide as 561 units.
#pragma once

namespace orvella::page {

struct DayGrid {
  // Each length is k times its length on a page 561 units wide, rounded half to even.
  explicit DayGrid(double k);
  int scaled(int constant) const;

  // Where a day falls: the column of its weekday in a week that starts on firstWeekday, and its row.
  struct Cell {
    int column;
    int row;
  };
  // Weekdays are Monday = 1 .. Sunday = 7; weekdayOfFirst is that of the month's first day.
  static Cell cellOf(int weekdayOfFirst, int day, int firstWeekday = 1);
  // The column of a weekday in a week that starts on firstWeekday.
  static int columnOf(int weekday, int firstWeekday) { return (weekday - firstWeekday + 7) % 7; }
  int cellLeft(int column) const { return left0 + column * pitch; }
  int cellTop(int row) const { return top + row * rowPitch; }

  double k;
  int top, width, pitch, left0, rowPitch, textOffset, textHeight, iconSide, iconLeft0;
};

}  // namespace orvella::page
