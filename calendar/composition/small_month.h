// A month drawn small: its name over a grid of its days, the week starting on the theme's first
// weekday, Sundays (unless the theme has them like weekdays) and the theme's holidays in the holiday
// font's face and colour. The neighbouring months in free cells of the grid, and the year overview, are made of
// these.
#pragma once

#include <QRect>
#include <QString>

namespace orvella {

struct Theme;
namespace page {
class ReportPage;
}

// Adds the labels of the month (1..12) of year into box (layout units) of the page; its name is followed
// by the year unless withYear is false.
void addSmallMonth(page::ReportPage& qr, const Theme& theme, const QRect& box, int year, int month,
                   const QString& name, bool withYear = true);

}  // namespace orvella
