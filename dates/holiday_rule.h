// Date rules of holidays that move from year to year, written by hand in a national holidays file:
// "25.12", "last mon of 5", "sat on or after 20.6", "easter+1", "orthodox easter-2".
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "dates/calendar_days.h"

namespace orvella {

struct HolidayRule {
  enum class Kind {
    Date,              // day.month
    WeekdayOfMonth,    // the nth (1..5) or last weekday of a month
    WeekdayOnOrAfter,  // the first weekday on or after day.month
    Easter,            // days after Easter Sunday
    OrthodoxEaster,    // days after the Orthodox Easter Sunday
  };
  Kind kind = Kind::Date;
  int month = 0, day = 0;
  int weekday = 0;  // Monday = 1 .. Sunday = 7
  int nth = 0;      // WeekdayOfMonth: 1..5, or kLast
  int offset = 0;   // Easter, OrthodoxEaster: days, may be negative

  static constexpr int kLast = -1;
};

// The rule a text states, without regard to case and to blanks between words; none when the text
// states no rule. Weekdays are English, in full or by their first three letters.
std::optional<HolidayRule> parseHolidayRule(const QString& text);

// The day the rule gives in year (1583..9999): none when that day does not exist (a fifth Monday, 29
// February in a common year, an Easter offset that leaves the year).
std::optional<CivilDate> ruleDate(const HolidayRule& rule, int year);

// The days a holiday moves off: "next working day" moves it off Saturday and Sunday, "sunday to next
// working day" off Sunday alone (without regard to case and to blanks between words).
enum class WeekendMove { SaturdayOrSunday, Sunday };
std::optional<WeekendMove> parseWeekendMove(const QString& text);

// A day that falls on a day the move names goes to the next day from Monday to Friday that taken does
// not claim; other days stay. None when the move leaves the year.
std::optional<CivilDate> nextWorkingDay(const CivilDate& date, WeekendMove move,
                                        const std::function<bool(const CivilDate&)>& taken);

}  // namespace orvella
