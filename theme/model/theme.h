// The theme in memory: fonts, pictures, switches, name and the holiday table with its editor copy.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "platform/colors/colors.h"

namespace orvella {

inline constexpr char kUserHoliday = 'u';
inline constexpr char kNationalHoliday = 'n';
inline constexpr char kNoHolidayKind = 0;

// One day: a one-line text (empty: no holiday) and its kind, 'u', 'n' or 0.
struct HolidayEntry {
  QString text;
  char kind = kNoHolidayKind;

  friend bool operator==(const HolidayEntry&, const HolidayEntry&) = default;
};

using HolidayRow = std::vector<HolidayEntry>;
// No rows before the first New; afterwards 12 rows (January first), one entry per day the month can
// have, 29 for February whatever the year.
using HolidayTable = std::vector<HolidayRow>;

// A font as the theme keeps it. A default-made one is what a freshly created font looks like.
struct ThemeFont {
  QString name = QStringLiteral("MS Sans Serif");
  int size = 8;  // points
  ColorValue color = clWindowText;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;

  friend bool operator==(const ThemeFont&, const ThemeFont&) = default;
};

// How a month's background covers the page: stretched to it, filling it in proportion with the
// overflow cut off evenly on both sides, or whole inside it in proportion.
enum class BackgroundFit { Stretch, Fill, Fit };

struct Theme {
  HolidayTable holidays;
  HolidayTable holidaysEditCopy;  // the theme editor's working copy, same shape

  ThemeFont holidayFont;      // day numbers of holidays (and Sundays)
  ThemeFont weekdayFont;      // day numbers of ordinary days, month name and year
  ThemeFont userHolidayFont;  // day numbers of user holidays
  ThemeFont forenamesFont;    // the day text under the number

  QString name;
  QString pictureHoliday;               // icon beside holiday lines that begin with "*"
  QString pictureLeft;                  // tall picture in the left margin
  std::array<QString, 12> backgrounds;  // month background pictures, January first
  // National holidays files linked to the theme: added to its holidays for whatever year a page is
  // composed for, in this order. Held by their full paths, as the pictures are.
  QStringList linkedHolidays;

  bool sundayLikeWeekday = false;
  bool withoutForenames = false;
  bool drawFrames = false;
  bool weekNumbers = false;  // the ISO week of each row beside its first day

  // Our additions, each off unless chosen; the original program ignores their keys.
  int firstWeekday = 1;  // the grid's first column: 1 Monday, 6 Saturday, 7 Sunday
  BackgroundFit backgroundFit = BackgroundFit::Stretch;
  bool moonPhases = false;  // the four principal phases in their days' cells
  bool miniMonths = false;  // the previous and the next month small, in free cells of the grid
};

}  // namespace orvella
