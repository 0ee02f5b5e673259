// Calendar arithmetic: leap years, day numbers from 30 December 1899, weekdays and the way back.
#include "dates/calendar_days.h"

#include <gtest/gtest.h>

#include <QDate>

#include "platform/errors/error.h"

namespace orvella {
namespace {

TEST(CalendarDays, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(isLeapYear(2024));
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_FALSE(isLeapYear(2010));
  EXPECT_EQ(daysInMonth(2024, 2), 29);
  EXPECT_EQ(daysInMonth(2100, 2), 28);
  EXPECT_EQ(daysInMonth(2010, 4), 30);
  EXPECT_EQ(daysInMonth(2010, 12), 31);
  EXPECT_EQ(daysInMonth(2010, 13), 0);
}

TEST(CalendarDays, DayNumbersCountFromTheEndOf1899) {
  EXPECT_EQ(dayNumber(1899, 12, 30), 0);
  EXPECT_EQ(dayNumber(1900, 1, 1), 2);
  EXPECT_EQ(dayNumber(1900, 3, 1), 61);  // 1900 has no 29 February
  EXPECT_EQ(dayNumber(2010, 4, 4), 40272);
  EXPECT_EQ(dayNumber(1, 1, 1), -693593);
  EXPECT_EQ(dayNumber(9999, 12, 31), 2958465);
}

TEST(CalendarDays, Weekdays) {
  EXPECT_EQ(isoWeekday(1899, 12, 30), 6);  // Saturday
  EXPECT_EQ(isoWeekday(2010, 1, 1), 5);    // Friday
  EXPECT_EQ(isoWeekday(2024, 3, 31), 7);   // Sunday
  EXPECT_EQ(isoWeekday(1, 1, 1), 1);       // Monday in the proleptic calendar
  EXPECT_EQ(isoWeekday(1850, 6, 3), 1);    // before day 0
}

TEST(CalendarDays, DatesComeBackFromTheirDayNumbers) {
  // Every day of the years 1..9999, checked by stepping one civil day at a time.
  int y = 1, m = 1, d = 1;
  for (int n = dayNumber(1, 1, 1); n <= dayNumber(9999, 12, 31); ++n) {
    const CivilDate date = dateFromDayNumber(n);
    ASSERT_TRUE(date.year == y && date.month == m && date.day == d) << n;
    if (++d > daysInMonth(y, m)) {
      d = 1;
      if (++m > 12) {
        m = 1;
        ++y;
      }
    }
  }
}

TEST(CalendarDays, ImpossibleDatesRaise) {
  for (auto [y, m, d] : {std::tuple{2010, 2, 29},
                         {2010, 4, 31},
                         {2010, 0, 1},
                         {2010, 13, 1},
                         {2010, 1, 0},
                         {0, 1, 1},
                         {10000, 1, 1},
                         {-5, 3, 3}}) {
    try {
      dayNumber(y, m, d);
      ADD_FAILURE() << y << "-" << m << "-" << d;
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), "Invalid argument to date encode");
    }
  }
  EXPECT_THROW(isoWeekday(2009, 2, 29), Error);
}

// Checked against Qt's own calendar: every turn of the year from 1 to 9999, and every day of a
// stretch of years whole.
TEST(CalendarDays, IsoWeeksBelongToTheYearOfTheirThursday) {
  auto check = [](const QDate& date) {
    const int serial = dayNumber(date.year(), date.month(), date.day());
    ASSERT_EQ(isoWeekNumber(serial), date.weekNumber()) << date.toString(Qt::ISODate).toStdString();
  };
  for (int year = 1; year < 9999; ++year)
    for (QDate d(year, 12, 20); d <= QDate(year + 1, 1, 10); d = d.addDays(1)) check(d);
  for (QDate d(1990, 1, 1); d <= QDate(2040, 12, 31); d = d.addDays(1)) check(d);
  EXPECT_EQ(isoWeekNumber(dayNumber(2026, 12, 28)), 53);
  EXPECT_EQ(isoWeekNumber(dayNumber(2027, 1, 3)), 53);
  EXPECT_EQ(isoWeekNumber(dayNumber(2024, 12, 30)), 1);
}

}  // namespace
}  // namespace orvella
