// National holidays files (".hln"): adding a country's holidays to a holiday table for a year, and
// taking all national holidays out again.
#pragma once

#include <QString>
#include <vector>

#include "platform/errors/message_texts.h"
#include "theme/model/theme.h"

namespace orvella {

class IniFile;
class TCalcExpress;

namespace messages {
// Shown after an import that had to leave out entries whose date could not be worked out; each line
// below it names the section and its formula.
inline constexpr MessageText msg_SkippedHolidays{"msg_SkippedHolidays",
                                                 "Tych świąt nie dodano, bo nie da się obliczyć ich daty:"};
inline constexpr MessageText msg_SkippedBadFormula{"msg_SkippedBadFormula", "błędny wzór"};
inline constexpr MessageText msg_SkippedNoSuchDate{"msg_SkippedNoSuchDate", "data poza kalendarzem"};
// A file without section "1": %s is the file.
inline constexpr MessageText msg_NoHolidaysInFile{"msg_NoHolidaysInFile",
                                                  "%s: to nie jest plik świąt (nie ma w nim sekcji [1])"};
}  // namespace messages

// An entry left out because its "expr" gave no date, or its "rule" or "weekend" states nothing.
struct SkippedHoliday {
  enum class Reason {
    BadFormula,  // the formula or the rule does not parse, so it is never evaluated
    NoSuchDate,  // the value is no day number of the calendar (years 1 to 9999)
  };
  int section = 0;
  QString formula;  // as the file holds it, before the markers are expanded
  Reason reason = Reason::BadFormula;
  QString key = QStringLiteral("expr");  // the key that holds the formula

  friend bool operator==(const SkippedHoliday&, const SkippedHoliday&) = default;
};

// The file holds one holiday per section "1", "2", ... (read up to the first missing or empty section,
// never past "254"): "m" and "d" (unsigned 16-bit, decimal or 0x hexadecimal) give a fixed date; when
// both are 0, "expr" is expanded for the year ("@_eastersunday" and the like) and evaluated, and its
// whole part is a day number of which month and day count. Without any of the three, "rule" dates the
// entry by a holiday rule (dates/holiday_rule.h), and "weekend" may move its day off the weekend to the
// next working day the file leaves free. "name" is the day's text.
// Optional "from" and "to" bound the years in which the entry holds. Only days without any holiday are
// filled: user holidays are never overwritten, and of two entries for one day the first wins.
class NationalHolidaysImport {
 public:
  // The evaluator the owner keeps for the import; its formula is replaced by each "expr".
  explicit NationalHolidaysImport(TCalcExpress& evaluator);

  // Imports the file at path into table (12 rows sized for year) as national holidays. Raises Error with
  // the program's message when a marker's number does not convert or the arithmetic of a formula fails;
  // the days added before stay in table, and importedDays() and skipped() tell what happened up to there.
  // A file without section "1" (also one that is missing or cannot be read) raises Error
  // msg_NoHolidaysInFile with its path and adds nothing; one too large for a settings file, or no
  // regular file, raises Error saying so with its path.
  void importFile(const QString& path, HolidayTable& table, int year);
  void importSettings(const IniFile& file, HolidayTable& table, int year);

  // Days the last import filled.
  int importedDays() const { return imported_; }
  // Entries the last import left out because their formula gave no date, in file order.
  const std::vector<SkippedHoliday>& skipped() const { return skipped_; }

  // Removes every national holiday (text and kind); user holidays stay. Returns how many went.
  static int removeNationalHolidays(HolidayTable& table);

 private:
  struct DatedEntry;
  // The month and day of each entry that holds in year, in file order, up to an error that stops the
  // import; entries whose date cannot be worked out go to skipped_.
  void dateEntries(const IniFile& file, int year, std::vector<DatedEntry>& dated);
  void fill(const IniFile& file, std::vector<DatedEntry>& dated, HolidayTable& table, int year);

  TCalcExpress& evaluator_;
  int imported_ = 0;
  std::vector<SkippedHoliday> skipped_;
};

// One message naming every skipped section and its formula; empty when nothing was skipped.
QString skippedHolidaysMessage(const std::vector<SkippedHoliday>& skipped);

}  // namespace orvella
