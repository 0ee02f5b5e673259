// The text under the day's number: the holiday, bold and a point larger, or the name days unless the
// theme goes without them (bold taken out but on Sundays); framed below and on the right.
#include "calendar/composition/month_page.h"
#include "calendar/namedays/name_days.h"
#include "dates/text_utils.h"
#include "platform/fonts/font_points.h"
#include "theme/model/theme.h"

namespace orvella {

void dayTextLayer(const DayCell& cell, MonthPage& page) {
  const Theme& theme = page.theme();
  if (!cell.holiday && theme.withoutForenames) return;
  const page::DayGrid& grid = page.grid();
  page::Element& text = page.addLabel(grid.cellLeft(cell.column), grid.cellTop(cell.row) + grid.textOffset,
                                      grid.width, page::Alignment::Center);
  text.frame.bottom = text.frame.right = theme.drawFrames;
  text.height = grid.textHeight;
  page::ElementFont font = page.forenamesFont();
  if (cell.holiday) {
    font.bold = true;
    font.italic = font.underline = font.strikeout = false;
    font.size = clampFontPoints(std::int64_t(font.size) + 1);
  } else if (cell.weekday != 7) {
    font.bold = false;
  }
  page.setFont(text, font);
  page.setCaption(text, cell.holiday ? cell.holidayText
                                     : replaceAll(QStringLiteral("/"), QStringLiteral("\r"),
                                                  page.expand(page.nameDays().entry(page.request().month - 1, cell.day))));
}

}  // namespace orvella
