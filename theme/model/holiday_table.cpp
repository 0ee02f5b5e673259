// Sizing the holiday table and its editor copy for a year.
#include "theme/model/holiday_table.h"

#include "dates/calendar_days.h"

namespace orvella {

namespace {

void reset(HolidayTable& table, int year) {
  table.assign(12, HolidayRow());
  for (int month = 1; month <= 12; ++month) table[month - 1].resize(daysInMonth(year, month));
}

void resizeFebruaryOf(HolidayTable& table, int year) {
  if (table.size() < 2) return;
  table[1].resize(daysInMonth(year, 2));
}

}  // namespace

void resetTables(Theme& theme, int year) {
  reset(theme.holidays, year);
  reset(theme.holidaysEditCopy, year);
}

void resizeFebruary(Theme& theme, int year) {
  if (theme.holidays.empty()) return;
  resizeFebruaryOf(theme.holidays, year);
  resizeFebruaryOf(theme.holidaysEditCopy, year);
}

}  // namespace orvella
