// Any bytes as a national holidays file, added to a holiday table for a year: the settings reader, the
// line expansion and the evaluator all run on the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dates/calc_express.h"
#include "dates/calendar_days.h"
#include "editor/holidays/national_holidays.h"
#include "platform/errors/error.h"
#include "platform/settings/ini_file.h"

namespace {

using namespace orvella;

void check(bool condition) {
  if (!condition) std::abort();
}

// A table for the year with a user holiday on 1 January and a typed text without a kind on 2 January.
HolidayTable tableFor(int year) {
  HolidayTable table(12);
  for (int month = 1; month <= 12; ++month) table[month - 1].resize(daysInMonth(year, month));
  table[0][0] = {QStringLiteral("mine"), kUserHoliday};
  table[0][1] = {QStringLiteral("typed"), kNoHolidayKind};
  return table;
}

int nationalDays(const HolidayTable& table) {
  int count = 0;
  for (const HolidayRow& row : table)
    for (const HolidayEntry& entry : row) {
      if (entry.kind != kNationalHoliday) continue;
      ++count;
      for (QChar c : entry.text) check(c != QChar(30) && c != QLatin1Char('\r') && c != QLatin1Char('\n'));
    }
  return count;
}

bool sameShape(const HolidayTable& table, int year) {
  if (table.size() != 12) return false;
  for (int month = 1; month <= 12; ++month)
    if (table[month - 1].size() != static_cast<std::size_t>(daysInMonth(year, month))) return false;
  return true;
}

// Imports and says whether an error stopped the import.
bool import(NationalHolidaysImport& importer, const IniFile& file, HolidayTable& table, int year) {
  try {
    importer.importSettings(file, table, year);
    return false;
  } catch (const Error&) {
    return true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const IniFile file = IniFile::fromBytes(bytes);

  // A leap year, a common year, and one of the Gregorian years that the input picks.
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum = sum * 31 + data[i];
  const int picked = 1583 + static_cast<int>(sum % (9999 - 1583 + 1));

  for (const int year : {2024, 2025, picked}) {
    TCalcExpress ce(QLatin1Char('.'));
    NationalHolidaysImport importer(ce);
    HolidayTable table = tableFor(year);
    const bool stopped = import(importer, file, table, year);
    check(sameShape(table, year));
    check(table[0][0] == (HolidayEntry{QStringLiteral("mine"), kUserHoliday}));
    check(importer.importedDays() == nationalDays(table));
    for (const SkippedHoliday& skipped : importer.skipped())
      check(skipped.section >= 1 && skipped.section <= 254);
    skippedHolidaysMessage(importer.skipped());

    // A second import adds nothing and stops where the first one did.
    const HolidayTable once = table;
    check(import(importer, file, table, year) == stopped);
    check(importer.importedDays() == 0);
    check(table == once);

    NationalHolidaysImport::removeNationalHolidays(table);
    check(nationalDays(table) == 0);
    check(table[0][0] == (HolidayEntry{QStringLiteral("mine"), kUserHoliday}));
  }
  return 0;
}
