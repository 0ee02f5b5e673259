// Gregorian calendar arithmetic on day numbers counted from 30 December 1899.
#include "dates/calendar_days.h"

#include "platform/errors/error.h"

namespace orvella {

namespace {
// Days from 1 January of year 1 (day 1) in the proleptic Gregorian calendar.
long long ordinal(int year, int month, int day) {
  static constexpr int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const long long y = year - 1;
  long long days = y * 365 + y / 4 - y / 100 + y / 400 + kBefore[month - 1] + day;
  if (month > 2 && isLeapYear(year)) ++days;
  return days;
}
constexpr long long kOrdinalOfDayZero = 693594;  // 30 December 1899
}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kLength[month - 1];
}

int dayNumber(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
    throw Error(QString::fromLatin1(messages::kInvalidDate));
  return static_cast<int>(ordinal(year, month, day) - kOrdinalOfDayZero);
}

int isoWeekday(int year, int month, int day) {
  // Day 0 (30 December 1899) was a Saturday.
  const int n = dayNumber(year, month, day);
  const int fromMonday = ((n + 5) % 7 + 7) % 7;
  return fromMonday + 1;
}

int isoWeekNumber(int serial) {
  // A week belongs to the year of its Thursday; count that Thursday's weeks from its year's first day.
  const int fromMonday = ((serial + 5) % 7 + 7) % 7;
  const int thursday = serial - fromMonday + 3;
  return (thursday - dayNumber(dateFromDayNumber(thursday).year, 1, 1)) / 7 + 1;
}

CivilDate dateFromDayNumber(int dayNumber) {
  // Inverse of ordinal(): Howard Hinnant's days-from-civil, shifted to our epoch.
  long long z = dayNumber + kOrdinalOfDayZero - 1 - 719162 + 719468;  // days since 0000-03-01
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  return {y, m, d};
}

}  // namespace orvella
