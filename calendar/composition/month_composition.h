// The month composition: turns a month request into the calendar page of that month.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "calendar/composition/month_request.h"
#include "calendar/composition/picture_shelf.h"
#include "calendar/page/generated_page.h"

namespace orvella {

class NameDays;

// A composed page with what the page it came from is: its year and month, and what the user should
// hear of although the page was made (pictures left off because they cannot be read, entries of
// national holidays files whose date could not be worked out).
struct ComposedPage {
  page::GeneratedPage page;
  int year = 0;
  int month = 0;
  QStringList warnings;
};

// What compositions read besides their requests: the name days, and where a picture path as a theme
// holds it leads (the file to load, or empty when there is none).
struct PageSources {
  const NameDays& nameDays;
  std::function<QString(const QString&)> locatePicture;
};

// Composes the month of the request: a fresh page in the request's settings with the month name and
// year, the day cells of every cell layer, the left-margin picture and the month's background. A
// picture whose file is missing is not shown; one that cannot be read is left off with a warning.
// Raises "Invalid argument to date encode" when the month's first day is no valid date. The shelf only
// spares decoding pictures read before.
ComposedPage composeMonth(const MonthRequest& request, const PageSources& sources, PictureShelf& pictures);

// Composes requests one after another, as a window or an export does. What it keeps between them (the
// pictures read, the theme with the request's national holidays for its year) only spares work: each
// page depends on its request alone.
class PageComposer {
 public:
  explicit PageComposer(PageSources sources);
  // The request's page of its kind.
  ComposedPage compose(const MonthRequest& request);

 private:
  ComposedPage composeKind(const MonthRequest& request);
  PageSources sources_;
  PictureShelf pictures_;
  // The theme with the holiday files added for a year, and the notes of that import.
  struct YearTheme {
    std::shared_ptr<const Theme> base;
    int year = 0;
    QStringList files;
    std::shared_ptr<const Theme> theme;
  } yearTheme_;
};

}  // namespace orvella
