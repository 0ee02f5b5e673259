// The shape of the holiday table and its editor copy.
#include "theme/model/holiday_table.h"

#include "dates/calendar_days.h"

namespace orvella {

namespace {

constexpr int kLeapYear = 2000;

void reset(HolidayTable& table) {
  table.assign(12, HolidayRow());
  for (int month = 1; month <= 12; ++month) table[month - 1].resize(longestMonth(month));
}

}  // namespace

int longestMonth(int month) { return daysInMonth(kLeapYear, month); }

void resetTables(Theme& theme) {
  reset(theme.holidays);
  reset(theme.holidaysEditCopy);
}

FebruaryOfYear::FebruaryOfYear(HolidayTable& table, int year) : table_(table) {
  if (table_.size() < 2 || table_[1].size() <= static_cast<size_t>(daysInMonth(year, 2))) return;
  hidden_ = table_[1].back();
  table_[1].pop_back();
}

FebruaryOfYear::~FebruaryOfYear() {
  if (hidden_) table_[1].push_back(*hidden_);
}

}  // namespace orvella
