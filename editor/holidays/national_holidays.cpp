// Reading national holidays files section by section into a holiday table.
#include "editor/holidays/national_holidays.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>

#include "dates/calc_express.h"
#include "dates/calendar_days.h"
#include "dates/line_expansion.h"
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
  importSettings(IniFile::load(path), table, year);
}

void NationalHolidaysImport::importSettings(const IniFile& file, HolidayTable& table, int year) {
  imported_ = 0;
  skipped_.clear();
  const LineExpansion expansion([year] { return year; });
  // The calendar the date-time values cover, 1 January 1 to 31 December 9999.
  static const long double kFirstDay = dayNumber(1, 1, 1);
  static const long double kLastDay = dayNumber(9999, 12, 31);

  for (int n = 1; n <= kLastSection; ++n) {
    const QString section = QString::number(n);
    if (!file.sectionHasKeys(section)) break;
    if (!yearInRange(file, section, year)) continue;

    int month = readWord(file, section, QStringLiteral("m"));
    int day = readWord(file, section, QStringLiteral("d"));
    if (month == 0 && day == 0 && file.hasKey(section, QStringLiteral("expr"))) {
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
      month = date.month;
      day = date.day;
    }

    if (month < 1 || month > 12 || static_cast<std::size_t>(month) > table.size()) continue;
    HolidayRow& row = table[month - 1];
    if (day < 1 || static_cast<std::size_t>(day) > row.size()) continue;
    HolidayEntry& entry = row[day - 1];
    if (entry.kind != kNoHolidayKind) continue;
    entry.kind = kNationalHoliday;
    entry.text = dayText(file.readString(section, QStringLiteral("name"), QString()));
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
    const MessageText& reason = entry.reason == SkippedHoliday::Reason::BadFormula ? messages::msg_SkippedBadFormula
                                                                                   : messages::msg_SkippedNoSuchDate;
    message += QStringLiteral("\n[%1] expr=%2 (%3)")
                   .arg(QString::number(entry.section), entry.formula, messageText(reason));
  }
  return message;
}

}  // namespace orvella
