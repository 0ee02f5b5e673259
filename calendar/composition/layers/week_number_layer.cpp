// Week numbers (the theme's "week_numbers"): the ISO week of each row's Thursday (whatever weekday the
// row starts on, the week holding most of its days), small and grey, in the
// strip left of the first column's holiday icon, made before the row's first day number.
#include "calendar/composition/month_page.h"
#include "dates/calendar_days.h"
#include "theme/model/theme.h"

namespace orvella {

namespace {
constexpr int kWidth = 10;
constexpr int kInset = 1;
constexpr int kPoints = 7;
}  // namespace

void weekNumberLayer(const DayCell& cell, MonthPage& page) {
  if (!page.theme().weekNumbers || (cell.column != 0 && cell.day != 1)) return;
  const page::DayGrid& grid = page.grid();
  page::Element& week = page.addLabel(grid.left0 + grid.scaled(kInset), grid.cellTop(cell.row) + grid.scaled(kInset),
                                      grid.scaled(kWidth), page::Alignment::Left);
  page::ElementFont font;  // no style: only the face is the weekday font's
  font.name = page.theme().weekdayFont.name;
  font.size = kPoints;
  font.color = clGray;
  page.setFont(week, font);
  const int rowThursday = cell.dayNumber - cell.column + page::DayGrid::columnOf(4, page.theme().firstWeekday);
  page.setCaption(week, QString::number(isoWeekNumber(rowThursday)));
}

}  // namespace orvella
