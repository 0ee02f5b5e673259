// Reading national holidays files section by section into a holiday table.
#include "editor/holidays/national_holidays.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <utility>

#include "dates/calc_express.h"
#include "dates/calendar_days.h"
#include "dates/holiday_rule.h"
#include "dates/line_expansion.h"
#include "platform/errors/error.h"
#include "platform/settings/ini_file.h"

namespace orvella {

namespace {

// A file holds at most 254 holidays; sections from "255" on are never read.
constexpr int kLastSection = 254;

// Month and day are words: larger numbers wrap, negative ones become large and miss every month.
std::uint16_t readWord(const IniFile& file, const QString& section, const QString& key) {
  return static_cast<std::uint16_t>(file.readInteger(section, key, 0));
}

// A year bound holds only when the selected year lies in it; absent or unreadable keys bound nothing.
bool yearInRange(const IniFile& file, const QString& section, int year) {
  const int from = file.readInteger(section, QStringLiteral("from"), INT_MIN);
  const int to = file.readInteger(section, QStringLiteral("to"), INT_MAX);
  return from <= year && year <= to;
}

// A day text is one line, and the character 30 separates a stored text from its kind.
QString dayText(QString name) {
  for (QChar& c : name)
    if (c == QChar(30) || c == QLatin1Char('\r') || c == QLatin1Char('\n')) c = QLatin1Char(' ');
  return name;
}

}  // namespace

NationalHolidaysImport::NationalHolidaysImport(TCalcExpress& evaluator) : evaluator_(evaluator) {}

void NationalHolidaysImport::importFile(const QString& path, HolidayTable& table, int year) {
  imported_ = 0;
  skipped_.clear();
  const IniFile file = IniFile::load(path);
  // A program, a picture or an empty file chosen by mistake is said to be no holidays file, rather than
  // adding nothing in silence.
  if (!file.sectionHasKeys(QStringLiteral("1")))
    throw Error(formatMessage(messageText(messages::msg_NoHolidaysInFile), path));
  importSettings(file, table, year);
}

struct NationalHolidaysImport::DatedEntry {
  int section = 0;
  int month = 0, day = 0;
  std::optional<WeekendMove> move;  // rules only
};

void NationalHolidaysImport::importSettings(const IniFile& file, HolidayTable& table, int year) {
  imported_ = 0;
  skipped_.clear();
  std::vector<DatedEntry> dated;
  try {
    dateEntries(file, year, dated);
  } catch (...) {
    fill(file, dated, table, year);  // the days before the error stay
    throw;
  }
  fill(file, dated, table, year);
}

void NationalHolidaysImport::dateEntries(const IniFile& file, int year, std::vector<DatedEntry>& dated) {
  const LineExpansion expansion([year] { return year; });
  // The calendar the date-time values cover, 1 January 1 to 31 December 9999.
  static const long double kFirstDay = dayNumber(1, 1, 1);
  static const long double kLastDay = dayNumber(9999, 12, 31);

  for (int n = 1; n <= kLastSection; ++n) {
    const QString section = QString::number(n);
    if (!file.sectionHasKeys(section)) break;
    if (!yearInRange(file, section, year)) continue;

    DatedEntry entry;
    entry.section = n;
    entry.month = readWord(file, section, QStringLiteral("m"));
    entry.day = readWord(file, section, QStringLiteral("d"));
    if (entry.month == 0 && entry.day == 0 && file.hasKey(section, QStringLiteral("expr"))) {
      const QString formula = file.readString(section, QStringLiteral("expr"), QString());
      // A marker whose number does not convert raises here and ends the import.
      evaluator_.setFormula(expansion.wypelnij_linie(formula));
      if (!evaluator_.isValid()) {
        skipped_.push_back({n, formula, SkippedHoliday::Reason::BadFormula});
        continue;
      }
      const long double whole = std::trunc(evaluator_.Evaluate());  // arithmetic faults raise
      if (!(whole >= kFirstDay && whole <= kLastDay)) {
        skipped_.push_back({n, formula, SkippedHoliday::Reason::NoSuchDate});
        continue;
      }
      const CivilDate date = dateFromDayNumber(static_cast<int>(whole));
      entry.month = date.month;
      entry.day = date.day;
    } else if (entry.month == 0 && entry.day == 0 && file.hasKey(section, QStringLiteral("rule"))) {
      // Rules are ours: the original program reads only "m", "d" and "expr", and skips such entries.
      const QString text = file.readString(section, QStringLiteral("rule"), QString());
      const std::optional<HolidayRule> rule = parseHolidayRule(text);
      if (!rule) {
        skipped_.push_back({n, text, SkippedHoliday::Reason::BadFormula, QStringLiteral("rule")});
        continue;
      }
      if (file.hasKey(section, QStringLiteral("weekend"))) {
        const QString weekend = file.readString(section, QStringLiteral("weekend"), QString());
        entry.move = parseWeekendMove(weekend);
        if (!entry.move) {
          skipped_.push_back({n, weekend, SkippedHoliday::Reason::BadFormula, QStringLiteral("weekend")});
          continue;
        }
      }
      const std::optional<CivilDate> date = ruleDate(*rule, year);
      if (!date) continue;  // as 29 February in a common year
      entry.month = date->month;
      entry.day = date->day;
    }
    dated.push_back(entry);
  }
}

void NationalHolidaysImport::fill(const IniFile& file, std::vector<DatedEntry>& dated, HolidayTable& table,
                                  int year) {
  // A day moved off a weekend skips every day the file gives without a move, wherever it stands in the
  // file, and the days moved before it: Christmas on a Sunday is followed by Boxing Day on the Monday,
  // so its own day off is the Tuesday.
  std::set<std::pair<int, int>> taken;
  for (const DatedEntry& entry : dated)
    if (!entry.move) taken.insert({entry.month, entry.day});
  for (DatedEntry& entry : dated) {
    if (!entry.move) continue;
    const std::optional<CivilDate> moved =
        nextWorkingDay({year, entry.month, entry.day}, *entry.move, [&taken](const CivilDate& day) {
          return taken.count({day.month, day.day}) > 0;
        });
    entry.month = moved ? moved->month : 0;  // a move past the year's end leaves it out
    entry.day = moved ? moved->day : 0;
    taken.insert({entry.month, entry.day});
  }

  for (const DatedEntry& holiday : dated) {
    const int month = holiday.month;
    const int day = holiday.day;
    if (month < 1 || month > 12 || static_cast<std::size_t>(month) > table.size()) continue;
    HolidayRow& row = table[month - 1];
    if (day < 1 || static_cast<std::size_t>(day) > row.size()) continue;
    HolidayEntry& entry = row[day - 1];
    if (entry.kind != kNoHolidayKind) continue;
    entry.kind = kNationalHoliday;
    entry.text =
        dayText(file.readString(QString::number(holiday.section), QStringLiteral("name"), QString()));
    ++imported_;
  }
}

int NationalHolidaysImport::removeNationalHolidays(HolidayTable& table) {
  int removed = 0;
  for (HolidayRow& row : table) {
    for (HolidayEntry& entry : row) {
      if (entry.kind != kNationalHoliday) continue;
      entry = HolidayEntry();
      ++removed;
    }
  }
  return removed;
}

QString skippedHolidaysMessage(const std::vector<SkippedHoliday>& skipped) {
  if (skipped.empty()) return {};
  QString message = messageText(messages::msg_SkippedHolidays);
  for (const SkippedHoliday& entry : skipped) {
    const MessageText& reason = entry.reason == SkippedHoliday::Reason::BadFormula
                                    ? messages::msg_SkippedBadFormula
                                    : messages::msg_SkippedNoSuchDate;
    message += QStringLiteral("\n[%1] %2=%3 (%4)")
                   .arg(QString::number(entry.section), entry.key, entry.formula, messageText(reason));
  }
  return message;
}

}  // namespace orvella
