// Sizing the holiday table and its editor copy for the chosen year.
#include <gtest/gtest.h>

#include "theme/model/holiday_table.h"

using namespace orvella;

namespace {

std::vector<size_t> lengths(const HolidayTable& table) {
  std::vector<size_t> result;
  for (const HolidayRow& row : table) result.push_back(row.size());
  return result;
}

const std::vector<size_t> kCommon{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const std::vector<size_t> kLeap{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

TEST(HolidayTable, ResetGivesTwelveEmptyMonthsOfTheYear) {
  Theme theme;
  theme.holidays.assign(3, HolidayRow(40, HolidayEntry{"x", kUserHoliday}));
  resetTables(theme, 2012);
  EXPECT_EQ(lengths(theme.holidays), kLeap);
  EXPECT_EQ(lengths(theme.holidaysEditCopy), kLeap);
  for (const HolidayRow& row : theme.holidays)
    for (const HolidayEntry& entry : row) EXPECT_EQ(entry, HolidayEntry());
  resetTables(theme, 2100);  // divisible by 100, not by 400
  EXPECT_EQ(lengths(theme.holidays), kCommon);
  resetTables(theme, 2000);
  EXPECT_EQ(lengths(theme.holidays), kLeap);
}

TEST(HolidayTable, FebruaryFollowsTheYearKeepingWhatFits) {
  Theme theme;
  resetTables(theme, 2012);
  theme.holidays[1][27] = {"28th", kUserHoliday};
  theme.holidays[1][28] = {"29th", kNationalHoliday};
  theme.holidaysEditCopy[1][28] = {"copy 29th", kUserHoliday};
  theme.holidays[2][0] = {"March", kUserHoliday};

  resizeFebruary(theme, 2013);
  EXPECT_EQ(lengths(theme.holidays), kCommon);
  EXPECT_EQ(lengths(theme.holidaysEditCopy), kCommon);
  EXPECT_EQ(theme.holidays[1][27].text, "28th");
  EXPECT_EQ(theme.holidays[2][0].text, "March");

  resizeFebruary(theme, 2016);
  EXPECT_EQ(lengths(theme.holidays), kLeap);
  EXPECT_EQ(theme.holidays[1][28], HolidayEntry());  // the dropped day does not come back
  EXPECT_EQ(theme.holidaysEditCopy[1][28], HolidayEntry());
}

TEST(HolidayTable, FebruaryResizeBeforeTheFirstNewDoesNothing) {
  Theme theme;
  resizeFebruary(theme, 2012);
  EXPECT_TRUE(theme.holidays.empty());
  EXPECT_TRUE(theme.holidaysEditCopy.empty());
}
