// The year overview page.
#include "calendar/composition/year_overview.h"

#include <cmath>

#include "calendar/composition/generated_label.h"
#include "calendar/composition/small_month.h"
#include "calendar/page/report_page.h"
#include "theme/model/theme.h"

namespace orvella {

namespace {
// Layout units of the page 561 wide: the title's band, then three rows of four months.
constexpr int kMargin = 30;
constexpr int kTitleTop = 16;
constexpr int kTitleHeight = 40;
constexpr int kGridTop = 64;
constexpr int kGap = 12;
}  // namespace

ComposedPage composeYearOverview(const MonthRequest& request) {
  const Theme& theme = *request.theme;
  page::ReportPage qr;
  qr.settings() = request.options.page;
  const double k = qr.scale();
  auto scaled = [k](int units) { return static_cast<int>(std::lround(k * units)); };
  const int width = qr.widthUnits();
  const int height = scaled(401);

  page::Element& title = qr.createLabel();
  title.left = scaled(kMargin);
  title.top = scaled(kTitleTop);
  title.width = width - 2 * scaled(kMargin);
  title.height = scaled(kTitleHeight);
  title.alignment = page::Alignment::Center;
  title.transparent = true;
  title.tag = kGeneratedTag;
  page::ElementFont font;
  font.name = theme.weekdayFont.name;
  font.size = 32;
  font.bold = true;
  font.color = theme.weekdayFont.color;
  qr.setFont(title, font);
  qr.setCaption(title, QString::number(request.year));

  const int cellWidth = (width - 2 * scaled(kMargin) - 3 * scaled(kGap)) / 4;
  const int cellHeight = (height - scaled(kGridTop) - scaled(kMargin) - 2 * scaled(kGap)) / 3;
  for (int month = 1; month <= 12; ++month) {
    const int column = (month - 1) % 4, row = (month - 1) / 4;
    const QRect box(scaled(kMargin) + column * (cellWidth + scaled(kGap)),
                    scaled(kGridTop) + row * (cellHeight + scaled(kGap)), cellWidth, cellHeight);
    addSmallMonth(qr, theme, box, request.year, month, request.options.language.monthName(month), false);
  }
  return ComposedPage{qr.generate(), request.year, 0, {}};
}

}  // namespace orvella
