// Plain Gregorian calendar arithmetic: leap years, month lengths, weekdays and day numbers.
#pragma once

namespace orvella {

bool isLeapYear(int year);
// month 1..12; 28 or 29 for February.
int daysInMonth(int year, int month);
// Days since 30 December 1899 (1 January 1900 is day 2). Raises Error "Invalid argument to date encode"
// for a date that does not exist or a year outside 1..9999.
int dayNumber(int year, int month, int day);
// Weekday of a date, Monday = 1 .. Sunday = 7. Raises like dayNumber.
int isoWeekday(int year, int month, int day);
// The ISO 8601 week of a day number: weeks start on Monday, and week 1 is the one that holds the
// year's first Thursday, so the last days of December may lie in week 1 and the first days of
// January in week 52 or 53.
int isoWeekNumber(int serial);
struct CivilDate {
  int year, month, day;
};
CivilDate dateFromDayNumber(int dayNumber);

}  // namespace orvella
