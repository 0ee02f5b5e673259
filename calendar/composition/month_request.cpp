// A month request and the requests of a run of months.
#include "calendar/composition/month_request.h"

#include "calendar/composition/month_names.h"
#include "theme/model/theme.h"

namespace orvella {

QString PageLanguage::monthName(int month) const {
  return month >= 1 && month <= monthNames.size() ? monthNames[month - 1] : polishMonthName(month - 1);
}

QStringList MonthRequest::holidayFiles() const {
  return theme ? theme->linkedHolidays + options.holidayFiles : options.holidayFiles;
}

std::shared_ptr<const Theme> snapshotOf(const Theme& theme) { return std::make_shared<const Theme>(theme); }

std::vector<MonthRequest> monthsOf(const MonthRequest& request, int firstMonth, int lastMonth) {
  std::vector<MonthRequest> requests;
  const int count = lastMonth >= firstMonth ? lastMonth - firstMonth + 1 : 12 - firstMonth + 1 + lastMonth;
  for (int i = 0; i < count; ++i) {
    requests.push_back(request);
    requests.back().month = (firstMonth - 1 + i) % 12 + 1;
    requests.back().year = request.year + (firstMonth - 1 + i) / 12;
  }
  return requests;
}

}  // namespace orvella
