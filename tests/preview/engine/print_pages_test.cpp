// Printing onto paged devices: the sheet position formula with a device margin, page ranges, and
// pages printed into real PDF files whose squares are found where the sheet puts them; the zoom and
// progress rules of the preview, and the name it offers for saved pages.
#include <gtest/gtest.h>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cmath>

#include "calendar/page/page_renderer.h"
#include "preview/engine/page_file_name.h"
#include "preview/engine/print_pages.h"
#include "preview/engine/progress_text.h"
#include "preview/engine/zoom.h"
#include "tests/preview/engine/sample_pages.h"
#include "tests/support/pdf_pages.h"

namespace orvella::report {
namespace {

using page::DeviceMapping;

TEST(PlacementTest, DeviceMarginIsTakenOffSoElementsKeepTheirSheetPosition) {
  // A 600-dpi printer whose printable area starts about 5 mm across and 7 mm down.
  QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(5, 7, 5, 7),
                     QPageLayout::Millimeter);
  const QPointF offset = originOffsetOf(layout, 600);
  EXPECT_NEAR(offset.x(), 5 * 600 / 25.4, 2);
  EXPECT_NEAR(offset.y(), 7 * 600 / 25.4, 2);

  const DeviceMapping mapping{600, 600, DeviceMapping::offsetFromDevicePixels(offset.x(), 600),
                              DeviceMapping::offsetFromDevicePixels(offset.y(), 600)};
  // The driver's offset in tenths of a millimetre, rounded.
  EXPECT_EQ(mapping.offsetX, std::round(offset.x() / 600 * 254));
  EXPECT_EQ(mapping.offsetY, std::round(offset.y() / 600 * 254));
  // Measured from the printable corner, every sheet position lands where it lies on the paper, give
  // or take the rounding of the offset to a tenth of a millimetre and of the result to a pixel.
  const double slack = 0.5 * 600 / 254 + 0.5;
  for (double tenths : {0.0, 200.0, 1234.0, 2969.0}) {
    EXPECT_NEAR(mapping.toDeviceX(tenths) + offset.x(), tenths * 600 / 254, slack) << tenths;
    EXPECT_NEAR(mapping.toDeviceY(tenths) + offset.y(), tenths * 600 / 254, slack) << tenths;
  }
  EXPECT_EQ(mapping.toDeviceX(200), std::lround((200 - mapping.offsetX) * 600 / 254.0));

  EXPECT_EQ(originOffsetOf(pageLayoutFor(page::PageSettings{}), 600), QPointF(0, 0));
}

TEST(PlacementTest, LayoutOfTheSettingsIsTheWholeLandscapeSheet) {
  const QPageLayout layout = pageLayoutFor(page::PageSettings{});
  EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
  EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
  EXPECT_EQ(layout.mode(), QPageLayout::FullPageMode);
  const QSize across = layout.fullRectPixels(254).size();
  EXPECT_NEAR(across.width(), 2970, 1);
  EXPECT_NEAR(across.height(), 2100, 1);

  page::PageSettings upright;
  upright.landscape = false;
  upright.paperWidthMm = 210;
  upright.paperHeightMm = 297;
  const QSize down = pageLayoutFor(upright).fullRectPixels(254).size();
  EXPECT_NEAR(down.width(), 2100, 1);
  EXPECT_NEAR(down.height(), 2970, 1);
}

TEST(PlacementTest, PageRangeChoosesWithinTheReport) {
  using V = std::vector<int>;
  EXPECT_EQ(pagesInRange(0, 0, 3), (V{1, 2, 3}));
  EXPECT_EQ(pagesInRange(2, 3, 5), (V{2, 3}));
  EXPECT_EQ(pagesInRange(2, 0, 3), (V{2, 3}));
  EXPECT_EQ(pagesInRange(0, 2, 3), (V{1, 2}));
  EXPECT_EQ(pagesInRange(2, 9, 3), (V{2, 3}));
  EXPECT_EQ(pagesInRange(3, 2, 3), V{});
  EXPECT_EQ(pagesInRange(0, 0, 0), V{});
}

TEST(ZoomRulesTest, FittingFormulasAndLimits) {
  const QSizeF a4 = sheetPixelsAt100(page::PageSettings{});
  EXPECT_NEAR(a4.width(), 1122.5, 0.1);
  EXPECT_EQ(zoomToWidth(1247, a4), 100);  // 1247 / 1122.5 x 90 = 99.98
  EXPECT_EQ(zoomToWidth(600, a4), 48);
  EXPECT_EQ(zoomToFit(QSize(2000, 400), a4), 48);  // the height decides: 400 / 793.7 x 95 = 47.9
  EXPECT_EQ(zoomToFit(QSize(500, 2000), a4), 42);  // the width decides
  EXPECT_FALSE(isUsableZoom(1));
  EXPECT_TRUE(isUsableZoom(2));
  EXPECT_TRUE(isUsableZoom(2000));
  EXPECT_FALSE(isUsableZoom(2001));
  EXPECT_EQ(sheetPixels(page::PageSettings{}, 100), QSize(1123, 794));
  EXPECT_EQ(zoomStep(2, false), 2);
  EXPECT_EQ(zoomStep(1999, true), 2000);
}

TEST(PageFileNameTest, NamesTheMonthTheYearOrTheSpan) {
  const std::pair<QStringList, QString> cases[] = {  // "month|year" of each page, the name
      {{"Styczeń|2027"}, "Styczeń 2027.pdf"},
      {{"Dzień/Noc\r|2027"}, "Dzień Noc 2027.pdf"},
      {{"Marzec|2027", "Kwiecień|2027"}, "Marzec–Kwiecień 2027.pdf"},
      {{"Grudzień|2026", "Styczeń|2027"}, "Grudzień 2026–Styczeń 2027.pdf"},
      {QStringList(12, "Luty|2030"), "2030.pdf"},
      {{"|"}, ""},
  };
  for (const auto& [monthsAndYears, name] : cases) {
    std::vector<page::GeneratedPage> pages(monthsAndYears.size());
    for (qsizetype i = 0; i < monthsAndYears.size(); ++i)
      for (const int field : {0, 1})
        pages[i].elements.push_back({.name = field ? "QRL_rok" : "qr_miech", .caption = monthsAndYears[i].section('|', field, field)});
    EXPECT_EQ(suggestedFileName(pages, QStringLiteral("pdf")), name) << name.toStdString();
  }
}

TEST(ProgressTextTest, GenerationShowsGrowthOfFiveAndEmptiesAtTheEnds) {
  GenerationProgress progress;
  EXPECT_EQ(progress.next(0), QString());
  EXPECT_EQ(progress.next(3), std::nullopt);
  EXPECT_EQ(progress.next(5), QStringLiteral("5%"));
  EXPECT_EQ(progress.next(9), std::nullopt);
  EXPECT_EQ(progress.next(12), QStringLiteral("12%"));
  EXPECT_EQ(progress.next(100), QString());
  EXPECT_EQ(printingProgressText(35), QStringLiteral("35%  Completed"));
  EXPECT_TRUE(printingProgressShown(35));
  EXPECT_FALSE(printingProgressShown(33));
}

using testing::darkBox;
using testing::pdfPageCount;

QImage rasterize(const QString& pdf, int page, int dpi) { return testing::rasterizePdf(pdf, page, dpi); }

class PrintToPdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    if (!testing::havePdfRasterizer()) GTEST_SKIP() << "pdftoppm is not installed";
  }
  QString pdf(const QString& name) const { return folder.filePath(name); }

  QTemporaryDir folder;
  // Squares of one inch at 1 inch, 2 inches across, 3 inches down: 96 pixels each at 96 dpi.
  page::GeneratedPage squares = testing::squaresPage({QPoint(48, 96), QPoint(96, 144)});
};

TEST_F(PrintToPdfTest, SquaresLandAtTheirSheetPositionOnTheWholeSheet) {
  QPdfWriter writer(pdf(QStringLiteral("full.pdf")));
  writer.setResolution(600);
  writer.setPageLayout(pageLayoutFor(squares.settings));
  PrintRun run;
  run.originOffsetPixels = originOffsetOf(writer.pageLayout(), writer.resolution());
  EXPECT_EQ(printPages({testing::squaresPage({QPoint(48, 96)})}, writer, run), PrintOutcome::Finished);

  const QImage image = rasterize(pdf(QStringLiteral("full.pdf")), 1, 96);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(1123, 794));
  const QRect box = darkBox(image);
  EXPECT_NEAR(box.left(), 96, 1);
  EXPECT_NEAR(box.top(), 192, 1);
  EXPECT_NEAR(box.width(), 96, 2);
  EXPECT_NEAR(box.height(), 96, 2);
}

TEST_F(PrintToPdfTest, DeviceWithAMarginStillPutsSquaresAtTheirSheetPosition) {
  // The device's origin sits at a 12 mm / 9 mm margin, as a printer's printable area does.
  QPdfWriter writer(pdf(QStringLiteral("margin.pdf")));
  writer.setResolution(600);
  QPageLayout layout = pageLayoutFor(squares.settings);
  layout.setMode(QPageLayout::StandardMode);
  layout.setMargins(QMarginsF(12, 9, 12, 9));
  writer.setPageLayout(layout);
  PrintRun run;
  run.originOffsetPixels = originOffsetOf(writer.pageLayout(), writer.resolution());
  ASSERT_GT(run.originOffsetPixels.x(), 200);
  EXPECT_EQ(printPages({squares}, writer, run), PrintOutcome::Finished);

  const QImage image = rasterize(pdf(QStringLiteral("margin.pdf")), 1, 96);
  ASSERT_FALSE(image.isNull());
  const QRect box = darkBox(image);
  EXPECT_NEAR(box.left(), 96, 1);
  EXPECT_NEAR(box.top(), 192, 1);
  EXPECT_NEAR(box.right(), 96 * 3 - 1, 2);
  EXPECT_NEAR(box.bottom(), 96 * 4 - 1, 2);
}

TEST_F(PrintToPdfTest, RangeCopiesProgressAndStopping) {
  std::vector<page::GeneratedPage> three{testing::squaresPage({QPoint(48, 48)}),
                                         testing::squaresPage({QPoint(96, 48)}),
                                         testing::squaresPage({QPoint(144, 48)})};
  {
    QPdfWriter writer(pdf(QStringLiteral("range.pdf")));
    writer.setPageLayout(pageLayoutFor(three[0].settings));
    PrintRun run;
    run.firstPage = 2;
    run.lastPage = 3;
    run.copies = 2;
    std::vector<int> seen;
    run.progress = [&](int percent) {
      seen.push_back(percent);
      return true;
    };
    EXPECT_EQ(printPages(three, writer, run), PrintOutcome::Finished);
    EXPECT_EQ(seen, (std::vector<int>{25, 50, 75, 100}));
  }
  EXPECT_EQ(pdfPageCount(pdf(QStringLiteral("range.pdf"))), 4);
  // The first sheet printed is page 2: its square stands two inches across.
  EXPECT_NEAR(darkBox(rasterize(pdf(QStringLiteral("range.pdf")), 1, 96)).left(), 192, 1);
  EXPECT_NEAR(darkBox(rasterize(pdf(QStringLiteral("range.pdf")), 3, 96)).left(), 192, 1);

  {
    QPdfWriter writer(pdf(QStringLiteral("stopped.pdf")));
    PrintRun run;
    run.progress = [](int percent) { return percent < 30; };
    EXPECT_EQ(printPages(three, writer, run), PrintOutcome::Stopped);
  }
  EXPECT_EQ(pdfPageCount(pdf(QStringLiteral("stopped.pdf"))), 1);
}

}  // namespace
}  // namespace orvella::report
