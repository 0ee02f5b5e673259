// The day's number: in the holiday font on holidays and on Sundays (unless Sunday is like a weekday),
// the user-holiday font for days of kind 'u', else the weekday font; framed on the right with frames on.
#include "calendar/composition/month_page.h"
#include "theme/model/theme.h"

namespace orvella {

void dayNumberLayer(const DayCell& cell, MonthPage& page) {
  const Theme& theme = page.theme();
  const page::DayGrid& grid = page.grid();
  page::Element& number =
      page.addLabel(grid.cellLeft(cell.column), grid.cellTop(cell.row), grid.width, page::Alignment::Center);
  number.frame.right = theme.drawFrames;
  const bool holidayLook = cell.holiday || (cell.weekday == 7 && !theme.sundayLikeWeekday);
  page.setFont(number, !holidayLook ? page.weekdayFont()
                       : cell.userHoliday() ? page.userHolidayFont()
                                            : page.holidayFont());
  page.setCaption(number, QString::number(cell.day));
}

}  // namespace orvella
