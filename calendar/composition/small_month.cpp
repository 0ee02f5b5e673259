// A month drawn small.
#include "calendar/composition/small_month.h"

#include <QDate>
#include <algorithm>

#include "calendar/composition/generated_label.h"
#include "calendar/page/day_grid.h"
#include "calendar/page/report_page.h"
#include "theme/model/theme.h"

namespace orvella {

namespace {

page::Element& smallLabel(page::ReportPage& qr, const QRect& at, const page::ElementFont& font, const QString& text,
                          page::Alignment alignment) {
  page::Element& label = addGeneratedLabel(qr, at.left(), at.top(), at.width(), alignment, false);
  qr.setFont(label, font);
  qr.setCaption(label, text);
  return label;
}

}  // namespace

void addSmallMonth(page::ReportPage& qr, const Theme& theme, const QRect& box, int year, int month,
                   const QString& name, bool withYear) {
  const QDate first(year, month, 1);
  if (!first.isValid()) return;
  // The name takes a line, the days six rows below it; the fonts follow the box's height.
  const int rowHeight = box.height() / 7;
  const int points = std::clamp(int(rowHeight * 72 / 48 * 0.8), 3, 40);
  page::ElementFont nameFont;
  nameFont.name = theme.weekdayFont.name;
  nameFont.size = points;
  nameFont.bold = true;
  nameFont.color = theme.weekdayFont.color;
  smallLabel(qr, QRect(box.left(), box.top(), box.width(), rowHeight), nameFont,
             withYear ? name + QLatin1Char(' ') + QString::number(year) : name, page::Alignment::Center);
  page::ElementFont dayFont = nameFont;
  dayFont.bold = false;
  // Marked as on the page: in the holiday font's face and colour.
  page::ElementFont holidayFont = dayFont;
  holidayFont.name = theme.holidayFont.name;
  holidayFont.color = theme.holidayFont.color;
  const int column0 = page::DayGrid::columnOf(first.dayOfWeek(), theme.firstWeekday);
  const auto& row = month - 1 < int(theme.holidays.size()) ? theme.holidays[size_t(month - 1)] : HolidayRow();
  for (int day = 1; day <= first.daysInMonth(); ++day) {
    const int position = column0 + day - 1;
    const bool sunday = first.addDays(day - 1).dayOfWeek() == 7 && !theme.sundayLikeWeekday;
    const bool holiday = day - 1 < int(row.size()) && !row[size_t(day - 1)].text.isEmpty();
    const QRect cell(box.left() + (position % 7) * box.width() / 7, box.top() + (1 + position / 7) * rowHeight,
                     box.width() / 7, rowHeight);
    smallLabel(qr, cell, sunday || holiday ? holidayFont : dayFont, QString::number(day), page::Alignment::Right);
  }
}

}  // namespace orvella
