// The month composition: the month name and year, the day cells layer by layer, the two pictures.
#include "calendar/composition/month_composition.h"

#include "calendar/composition/layers/cell_layers.h"
#include "calendar/composition/month_page.h"
#include "calendar/composition/small_month.h"
#include "calendar/composition/year_overview.h"
#include "calendar/composition/year_holidays.h"
#include "calendar/page/picture_fit.h"
#include "dates/calendar_days.h"
#include "theme/model/theme.h"

namespace orvella {

ComposedPage composeMonth(const MonthRequest& request, const PageSources& sources, PictureShelf& pictures) {
  // The first day's weekday comes before anything else: an impossible date stops here.
  const int weekdayOfFirst = isoWeekday(request.year, request.month, 1);
  const int firstDayNumber = dayNumber(request.year, request.month, 1);
  const Theme& theme = *request.theme;
  MonthPage page(request, theme, sources.nameDays, sources.locatePicture, pictures);
  page::PrintForm& form = page.form();
  page::ReportPage& qr = form.qr;

  qr.setCaption(form.qr_miech, request.options.language.monthName(request.month));
  qr.setFontColor(form.qr_miech, theme.weekdayFont.color);
  qr.setCaption(form.QRL_rok, QString::number(request.year));
  qr.setFontColor(form.QRL_rok, theme.weekdayFont.color);

  const int days = daysInMonth(request.year, request.month);
  for (int day = 1; day <= days; ++day) {
    const DayCell cell = page.cellOf(day, weekdayOfFirst, firstDayNumber);
    for (const CellLayer layer : cellLayers()) layer(cell, page);
  }
  if (theme.miniMonths) {
    // The previous month in the grid's first free cell, the next in its last (never a day's: a month
    // ends by the sixth row's second cell).
    const page::DayGrid& grid = page.grid();
    const int column0 = page::DayGrid::columnOf(weekdayOfFirst, theme.firstWeekday);
    const int firstFree = column0 > 0 ? 0 : days;
    const int lastFree = 41;
    auto cellBox = [&grid](int index) {
      return QRect(grid.cellLeft(index % 7), grid.cellTop(index / 7), grid.width, grid.rowPitch);
    };
    const int previousYear = request.month == 1 ? request.year - 1 : request.year;
    const int previous = request.month == 1 ? 12 : request.month - 1;
    const int nextYear = request.month == 12 ? request.year + 1 : request.year;
    const int next = request.month == 12 ? 1 : request.month + 1;
    addSmallMonth(qr, theme, cellBox(firstFree), previousYear, previous, request.options.language.monthName(previous));
    addSmallMonth(qr, theme, cellBox(lastFree), nextYear, next, request.options.language.monthName(next));
  }

  form.qri_left.picture = page.picture(theme.pictureLeft);
  form.bg_img.picture = page.picture(theme.backgrounds[size_t(request.month - 1)]);
  page::fitPicture(form.bg_img, static_cast<page::PictureFit>(theme.backgroundFit));
  return ComposedPage{qr.generate(), request.year, request.month, page.warnings()};
}

PageComposer::PageComposer(PageSources sources) : sources_(std::move(sources)) {}

ComposedPage PageComposer::composeKind(const MonthRequest& request) {
  return request.kind == PageKind::YearOverview ? composeYearOverview(request) : composeMonth(request, sources_, pictures_);
}

ComposedPage PageComposer::compose(const MonthRequest& request) {
  const QStringList files = request.holidayFiles();
  if (files.isEmpty()) return composeKind(request);
  // The holidays of the files are those of the composed year: imported once for each year in a row.
  QStringList notes;
  if (yearTheme_.base != request.theme || yearTheme_.year != request.year || yearTheme_.files != files) {
    auto theme = std::make_shared<Theme>(*request.theme);
    notes = addNationalHolidays(*theme, files, request.year, QString());
    yearTheme_ = YearTheme{request.theme, request.year, files, std::move(theme)};
  }
  MonthRequest withHolidays = request;
  withHolidays.theme = yearTheme_.theme;
  ComposedPage composed = composeKind(withHolidays);
  composed.warnings = notes + composed.warnings;
  return composed;
}

}  // namespace orvella
