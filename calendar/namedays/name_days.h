// The name days shown under the day numbers: the built-in table, with entries replaced from
// "holidays/default.ini" beside the program.
#pragma once

#include <QString>
#include <array>

#include "calendar/namedays/builtin_name_days.h"

namespace orvella {

class NameDays {
 public:
  // Empty until load_forenames.
  NameDays() = default;

  // Reads programDir + "/holidays/default.ini" (section: month number, key: day number); a key that is
  // present overrides the built-in entry even when its value is empty. A missing or unreadable file
  // leaves the built-in table.
  void load_forenames(const QString& programDir);

  // monthIndex 0..11, day 1..31; empty outside those ranges.
  const QString& entry(int monthIndex, int day) const;

  static QString builtInEntry(int monthIndex, int day);

 private:
  std::array<QString, kNameDayEntries> entries_;
};

}  // namespace orvella
