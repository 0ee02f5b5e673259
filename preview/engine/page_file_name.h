// The name under which the pages of a preview are offered for saving, from the month and the year
// they show.
#pragma once

#include <QString>
#include <vector>

#include "calendar/page/generated_page.h"

namespace orvella::report {

// "Styczeń 2027" for one month, "2027" for the twelve months of a year, "Styczeń–Marzec 2027" or
// "Grudzień 2026–Luty 2027" for other runs of months, followed by a dot and the suffix; the names as
// the pages print them. Empty when the pages show no month (report files of other programs).
QString suggestedFileName(const std::vector<page::GeneratedPage>& pages, const QString& suffix);

}  // namespace orvella::report
