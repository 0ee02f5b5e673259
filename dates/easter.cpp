// Easter Sunday by the Gregorian rule with golden number, century corrections and epact, and the
// Orthodox Easter Sunday by the Julian rule.
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

CivilDate orthodoxEasterSunday(int year) {
  // The Julian computus: the paschal full moon from the golden number alone, then the next Sunday.
  const int fullMoon = (19 * (year % 19) + 15) % 30;
  const int toSunday = (2 * (year % 4) + 4 * (year % 7) - fullMoon + 34) % 7;
  const int sum = fullMoon + toSunday + 114;
  const int julianMonth = sum / 31;
  const int julianDay = sum % 31 + 1;
  // The Julian calendar lags the Gregorian by the century leap days the Gregorian leaves out, counted
  // up to March of the year: 13 days from 1900 to 2099.
  const int lag = year / 100 - year / 400 - 2;
  return dateFromDayNumber(dayNumber(year, julianMonth, julianDay) + lag);
}

}  // namespace orvella
