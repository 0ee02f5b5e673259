// The shape of the holiday table and its editor copy: one row per month, as long as the month can be.
#pragma once

#include <optional>

#include "theme/model/theme.h"

namespace orvella {

// The most days the month (1..12) has in any year: 29 for February.
int longestMonth(int month);

// Both tables become 12 rows of empty entries, each as long as its month can be. The shape never
// follows a year: a year without 29 February keeps that day's entry and only does not show it.
void resetTables(Theme& theme);

// While it lives, February of the table reaches no further than February of the year, so that work
// done for that year (adding a country's holidays) cannot fill a 29 February the year does not have;
// the entry is back as it was afterwards.
class FebruaryOfYear {
 public:
  FebruaryOfYear(HolidayTable& table, int year);
  ~FebruaryOfYear();
  FebruaryOfYear(const FebruaryOfYear&) = delete;
  FebruaryOfYear& operator=(const FebruaryOfYear&) = delete;

 private:
  HolidayTable& table_;
  std::optional<HolidayEntry> hidden_;
};

}  // namespace orvella
