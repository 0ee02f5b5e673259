// A month request: everything one page of the calendar is composed from, so that composing reads no
// window and no setting that may change meanwhile. Windows, the year preview, the export and the
// tests build requests alike.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "calendar/page/generated_page.h"

namespace orvella {

struct Theme;

// The texts of the page that follow the interface language: the month names, January first. Without
// them the page speaks the program's own Polish.
struct PageLanguage {
  QString name;  // "english", "espanol", "polski"; empty: built in
  QStringList monthNames;
  QStringList weekdayNames;  // the weekday header, Monday first; without seven, the page's own Polish
  QString monthName(int month) const;  // month 1..12
};

struct RequestOptions {
  page::PageSettings page;  // the sheet, the paper it is printed on and the printer's choices
  int dpi = 0;              // pixels per inch of written images; 0: the output's own default
  PageLanguage language;
  // National holidays files (their paths) added to the theme's holidays for the composed year, in
  // this order.
  QStringList holidayFiles;
  // The time zone whose days the Moon's phases fall on (an IANA name); empty: the computer's.
  QByteArray timeZone;
};

// What a request's page is: its month's page, or the overview of its whole year.
enum class PageKind { Month, YearOverview };

struct MonthRequest {
  std::shared_ptr<const Theme> theme;  // a snapshot: the theme as it was when the request was made
  int year = 2009;
  int month = 1;  // 1..12
  RequestOptions options;

  // The national holidays files added to the theme's holidays for the year: those linked to the theme,
  // then those of the options.
  QStringList holidayFiles() const;
  PageKind kind = PageKind::Month;
};

// A copy of the theme that later changes of the theme do not reach.
std::shared_ptr<const Theme> snapshotOf(const Theme& theme);

// The same request for each of the months first..last (1..12) of its year, in order; a last month
// before the first runs on into the next year (9..8: September to August of the year after).
std::vector<MonthRequest> monthsOf(const MonthRequest& request, int firstMonth, int lastMonth);

}  // namespace orvella
