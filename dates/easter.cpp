// Easter Sunday by the Gregorian rule with golden number, century corrections and epact.
#include "dates/easter.h"

namespace orvella {

CivilDate easterSunday(int year) {
  // Wide integers so that no year overflows 5·Y; divisions truncate toward zero throughout.
  const long long y = year;
  const long long golden = y % 19 + 1;
  const long long century = y / 100 + 1;
  const long long skippedLeapDays = 3 * century / 4 - 12;
  const long long moonCorrection = (8 * century + 5) / 25 - 5;
  const long long sundayKey = 5 * y / 4 - skippedLeapDays - 10;
  long long epact = (11 * golden + 20 + moonCorrection - skippedLeapDays) % 30;
  if (epact < 0) epact += 30;
  if ((epact == 25 && golden > 11) || epact == 24) ++epact;
  long long n = 44 - epact;  // day of March of the full moon
  if (n < 21) n += 30;
  n = n + 7 - (sundayKey + n) % 7;
  if (n > 31) return {year, 4, static_cast<int>(n - 31)};
  return {year, 3, static_cast<int>(n)};
}

int easterSundayDayNumber(int year) {
  const CivilDate date = easterSunday(year);
  return dayNumber(date.year, date.month, date.day);
}

}  // namespace orvella
