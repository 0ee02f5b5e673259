// The grid of day cells under the weekday header, beside the page's static layout: seven columns of
// cells, up to six rows, in layout units of a page k times as wide as 561 units.
#pragma once

namespace orvella::page {

struct DayGrid {
  // Each length is k times its length on a page 561 units wide, rounded half to even.
  explicit DayGrid(double k);
  int scaled(int constant) const;

  // Where a day falls: the column of its weekday in a week that starts on Monday, and its row.
  struct Cell {
    int column;
    int row;
  };
  // weekdayOfFirst: the weekday of the month's first day, Monday = 1 .. Sunday = 7.
  static Cell cellOf(int weekdayOfFirst, int day);
  int cellLeft(int column) const { return left0 + column * pitch; }
  int cellTop(int row) const { return top + row * rowPitch; }

  double k;
  int top, width, pitch, left0, rowPitch, textOffset, textHeight, iconSide, iconLeft0;
};

}  // namespace orvella::page
