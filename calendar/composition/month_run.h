// A run of months of one year composed one after another on one print page: the year preview shows
// them as they come, the export writes them.
#pragma once

#include <QString>
#include <functional>

#include "calendar/composition/month_composition.h"
#include "calendar/page/generated_page.h"

namespace orvella {

class MonthRun {
 public:
  // Months first..last (1..12) of year; monthName gives the name of a month index (0 = January) as the
  // month list shows it. The sources and the form must outlive the run. A year in which the months
  // cannot be (outside 1..9999) raises "Invalid argument to date encode" here, before any is composed.
  MonthRun(page::PrintForm& form, CompositionSources sources, int year, int firstMonth, int lastMonth,
           std::function<QString(int monthIndex)> monthName);

  int count() const { return lastMonth_ - firstMonth_ + 1; }
  // The month (1..12) of the index-th page.
  int monthAt(int index) const { return firstMonth_ + index; }

  // Composes the index-th month on the page, exactly as that month's own preview would, and returns
  // what the page then shows. Composed in order, a month whose pictures are missing keeps the ones
  // the month before it loaded, as when the months are composed one after another by hand.
  page::GeneratedPage compose(int index) const;

 private:
  page::PrintForm& form_;
  CompositionSources sources_;
  int year_;
  int firstMonth_;
  int lastMonth_;
  std::function<QString(int)> monthName_;
};

}  // namespace orvella
