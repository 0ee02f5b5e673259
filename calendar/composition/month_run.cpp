// A run of months of one year composed one after another on one print page.
#include "calendar/composition/month_run.h"

#include "dates/calendar_days.h"

namespace orvella {

MonthRun::MonthRun(page::PrintForm& form, CompositionSources sources, int year, int firstMonth, int lastMonth,
                   std::function<QString(int)> monthName)
    : form_(form),
      sources_(std::move(sources)),
      year_(year),
      firstMonth_(firstMonth),
      lastMonth_(lastMonth),
      monthName_(std::move(monthName)) {
  dayNumber(year, firstMonth, 1);
}

page::GeneratedPage MonthRun::compose(int index) const {
  const int monthIndex = monthAt(index) - 1;
  composeMonth(form_, MonthRequest{year_, monthIndex, monthName_ ? monthName_(monthIndex) : QString()},
               sources_);
  return form_.qr.generate();
}

}  // namespace orvella
