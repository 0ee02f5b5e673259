// The shape of the holiday table and its editor copy, which no year changes.
#include <gtest/gtest.h>

#include "theme/model/holiday_table.h"

using namespace orvella;

namespace {

std::vector<size_t> lengths(const HolidayTable& table) {
  std::vector<size_t> result;
  for (const HolidayRow& row : table) result.push_back(row.size());
  return result;
}

const std::vector<size_t> kLongest{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

TEST(HolidayTable, ResetGivesTwelveEmptyMonthsAsLongAsTheyCanBe) {
  Theme theme;
  theme.holidays.assign(3, HolidayRow(40, HolidayEntry{"x", kUserHoliday}));
  resetTables(theme);
  EXPECT_EQ(lengths(theme.holidays), kLongest);
  EXPECT_EQ(lengths(theme.holidaysEditCopy), kLongest);
  for (const HolidayRow& row : theme.holidays)
    for (const HolidayEntry& entry : row) EXPECT_EQ(entry, HolidayEntry());
}
