// The month composition: turns a year, a month, the theme and the name days into the calendar page.
#pragma once

#include <QString>
#include <functional>

#include "calendar/page/print_form.h"

namespace orvella {

struct Theme;
class NameDays;

struct MonthRequest {
  int year = 2009;
  int monthIndex = 0;  // 0 = January
  QString monthName;   // as the month list shows it
};

struct CompositionSources {
  const Theme& theme;
  const NameDays& nameDays;
  // The line expansion of "@_" markers for the chosen year.
  std::function<QString(const QString&)> expandLine;
  // A picture path as the theme holds it -> the file to load, or empty when no file exists there.
  std::function<QString(const QString&)> locatePicture;
};

// Geometry of the day grid, in layout units at page scale k (constants of a page 561 units wide,
// each k times the constant rounded half to even).
struct DayGrid {
  explicit DayGrid(double k);
  int top, width, pitch, left0, rowPitch, textOffset, textHeight, iconSide, iconLeft0;
};

// Builds the page; raises "Invalid argument to date encode" before anything on the page changes when
// the month's first day is no valid date, and the picture loader's error for a picture that exists but
// cannot be read.
void composeMonth(page::PrintForm& form, const MonthRequest& request, const CompositionSources& sources);

// The text of a holiday as the page shows it: expanded, "/" turned into line breaks, a leading "*"
// taken off (then wantsIcon is set).
QString holidayDisplayText(const QString& text, const std::function<QString(const QString&)>& expandLine,
                           bool& wantsIcon);

}  // namespace orvella
