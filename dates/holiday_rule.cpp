// Reading and dating the holiday rules of national holidays files.
#include "dates/holiday_rule.h"

#include <QRegularExpression>
#include <QStringList>

#include "dates/easter.h"

namespace orvella {

namespace {

constexpr int kSaturday = 6;
constexpr int kSunday = 7;

// "mon" or "monday" -> 1 .. "sun" or "sunday" -> 7; 0 for anything else.
int weekdayNamed(const QString& word) {
  static const char* const kNames[] = {"monday", "tuesday",  "wednesday", "thursday",
                                       "friday", "saturday", "sunday"};
  for (int i = 0; i < 7; ++i) {
    const QString name = QString::fromLatin1(kNames[i]);
    if (word == name || word == name.left(3)) return i + 1;
  }
  return 0;
}

// "25.12" -> day 25 of month 12, when some year has that day.
bool readDayMonth(const QString& word, HolidayRule& rule) {
  static const QRegularExpression dayMonth(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})$"));
  const QRegularExpressionMatch match = dayMonth.match(word);
  if (!match.hasMatch()) return false;
  rule.day = match.captured(1).toInt();
  rule.month = match.captured(2).toInt();
  // A leap year holds every day any year has.
  return rule.month >= 1 && rule.month <= 12 && rule.day >= 1 && rule.day <= daysInMonth(2000, rule.month);
}

int weekdayOf(const CivilDate& date) { return isoWeekday(date.year, date.month, date.day); }

CivilDate dayAfter(const CivilDate& date, int days) {
  return dateFromDayNumber(dayNumber(date.year, date.month, date.day) + days);
}

}  // namespace

std::optional<HolidayRule> parseHolidayRule(const QString& text) {
  // Words apart, and an Easter offset apart from its word: "easter + 1" and "easter+1" alike.
  QString spaced = text.toLower();
  static const QRegularExpression offset(QStringLiteral("([+-])\\s*(\\d+)\\s*$"));
  const QRegularExpressionMatch sign = offset.match(spaced);
  const QString offsetText = sign.hasMatch() ? sign.captured(1) + sign.captured(2) : QString();
  if (sign.hasMatch()) spaced.truncate(sign.capturedStart());
  const QStringList words = spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);

  HolidayRule rule;
  if (words == QStringList{QStringLiteral("easter")} || words == QStringList{"orthodox", "easter"}) {
    rule.kind = words.size() == 1 ? HolidayRule::Kind::Easter : HolidayRule::Kind::OrthodoxEaster;
    bool ok = true;
    // Three years of days at most, so no offset overflows a day number.
    if (!offsetText.isEmpty()) rule.offset = offsetText.toInt(&ok);
    if (!ok || rule.offset < -1100 || rule.offset > 1100) return std::nullopt;
    return rule;
  }
  if (!offsetText.isEmpty()) return std::nullopt;

  if (words.size() == 1 && readDayMonth(words[0], rule)) return rule;

  // "sat on or after 20.6"
  if (words.size() == 5 && words[1] == QLatin1String("on") && words[2] == QLatin1String("or") &&
      words[3] == QLatin1String("after")) {
    rule.kind = HolidayRule::Kind::WeekdayOnOrAfter;
    rule.weekday = weekdayNamed(words[0]);
    if (rule.weekday == 0 || !readDayMonth(words[4], rule)) return std::nullopt;
    return rule;
  }

  // "2 mon of 5", "last mon of 5"
  if (words.size() == 4 && words[2] == QLatin1String("of")) {
    rule.kind = HolidayRule::Kind::WeekdayOfMonth;
    bool ok = false;
    rule.nth = words[0] == QLatin1String("last") ? HolidayRule::kLast : words[0].toInt(&ok);
    rule.weekday = weekdayNamed(words[1]);
    rule.month = words[3].toInt(&ok);
    const bool nthOk = rule.nth == HolidayRule::kLast || (rule.nth >= 1 && rule.nth <= 5);
    if (!nthOk || rule.weekday == 0 || !ok || rule.month < 1 || rule.month > 12) return std::nullopt;
    return rule;
  }
  return std::nullopt;
}

std::optional<CivilDate> ruleDate(const HolidayRule& rule, int year) {
  switch (rule.kind) {
    case HolidayRule::Kind::Date:
      if (rule.day > daysInMonth(year, rule.month)) return std::nullopt;
      return CivilDate{year, rule.month, rule.day};
    case HolidayRule::Kind::WeekdayOnOrAfter: {
      if (rule.day > daysInMonth(year, rule.month)) return std::nullopt;
      const CivilDate from{year, rule.month, rule.day};
      const CivilDate date = dayAfter(from, (rule.weekday - weekdayOf(from) + 7) % 7);
      if (date.year != year) return std::nullopt;
      return date;
    }
    case HolidayRule::Kind::WeekdayOfMonth: {
      const int length = daysInMonth(year, rule.month);
      const int firstWeekday = isoWeekday(year, rule.month, 1);
      const int first = 1 + (rule.weekday - firstWeekday + 7) % 7;
      const int day =
          rule.nth == HolidayRule::kLast ? first + (length - first) / 7 * 7 : first + (rule.nth - 1) * 7;
      if (day > length) return std::nullopt;
      return CivilDate{year, rule.month, day};
    }
    case HolidayRule::Kind::Easter:
    case HolidayRule::Kind::OrthodoxEaster: {
      const CivilDate sunday =
          rule.kind == HolidayRule::Kind::Easter ? easterSunday(year) : orthodoxEasterSunday(year);
      const int number = dayNumber(sunday.year, sunday.month, sunday.day) + rule.offset;
      if (number < dayNumber(year, 1, 1) || number > dayNumber(year, 12, 31)) return std::nullopt;
      return dateFromDayNumber(number);
    }
  }
  return std::nullopt;
}

std::optional<WeekendMove> parseWeekendMove(const QString& text) {
  const QString words = text.simplified().toLower();
  if (words == QLatin1String("next working day")) return WeekendMove::SaturdayOrSunday;
  if (words == QLatin1String("sunday to next working day")) return WeekendMove::Sunday;
  return std::nullopt;
}

std::optional<CivilDate> nextWorkingDay(const CivilDate& date, WeekendMove move,
                                        const std::function<bool(const CivilDate&)>& taken) {
  if (weekdayOf(date) < (move == WeekendMove::Sunday ? kSunday : kSaturday)) return date;
  CivilDate day = date;
  do {
    if (day.month == 12 && day.day == 31) return std::nullopt;
    day = dayAfter(day, 1);
  } while (weekdayOf(day) >= kSaturday || taken(day));
  return day;
}

}  // namespace orvella
