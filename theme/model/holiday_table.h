// Sizing the holiday table and its editor copy for a year.
#pragma once

#include "theme/model/theme.h"

namespace orvella {

// Both tables become 12 rows of empty entries, each as long as its month in the year.
void resetTables(Theme& theme, int year);
// February of both tables takes the year's length, keeping the entries that still fit; tables that
// have no rows yet are left alone.
void resizeFebruary(Theme& theme, int year);

}  // namespace orvella
