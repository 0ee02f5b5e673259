// The page renderer, measured on rendered images: pixels sampled where elements must and must not be.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "calendar/page/label_text.h"
#include "calendar/page/page_renderer.h"
#include "calendar/page/picture_fit.h"
#include "calendar/page/print_form.h"
#include "tests/support/reference_image.h"

using namespace orvella;
using namespace orvella::page;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

class PageRender : public ::testing::Test {
 protected:
  // A white sheet at `dpi`, with the image's own resolution set to match.
  static QImage render(const GeneratedPage& page, double dpi, double offsetX = 0, double offsetY = 0,
                       int imageDpi = 0) {
    const int w = int(std::lround(2970 * dpi / 254)), h = int(std::lround(2100 * dpi / 254));
    QImage image(w, h, QImage::Format_ARGB32);
    const int logical = imageDpi > 0 ? imageDpi : int(std::lround(dpi));
    image.setDotsPerMeterX(int(std::lround(logical / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(logical / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    drawPage(page, painter, DeviceMapping{dpi, dpi, offsetX, offsetY});
    return image;
  }

  static GeneratedPage pageOf(std::initializer_list<Element> elements) {
    GeneratedPage page;
    page.elements = elements;
    return page;
  }

  static Element label(const QString& caption, int left, int top, int width, int height, int points = 20) {
    Element e;
    e.kind = ElementKind::Label;
    e.caption = caption;
    e.left = left, e.top = top, e.width = width, e.height = height;
    e.font = ElementFont{"Arial", points, clBlack};
    e.transparent = true;
    return e;
  }

  // The bounding box of pixels darker than mid-grey inside an area; empty when there are none.
  static QRect ink(const QImage& image, const QRect& area) {
    QRect found;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (qGray(image.pixel(x, y)) < 128) found |= QRect(x, y, 1, 1);
    return found;
  }

  static int countColor(const QImage& image, const QRect& area, QRgb color) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += image.pixel(x, y) == color;
    return n;
  }

  // A 96 x 96 bitmap in four coloured quarters: red, green / blue, black.
  static Picture quarters() {
    QImage img(96, 96, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.fillRect(0, 0, 48, 48, Qt::red);
    p.fillRect(48, 0, 48, 48, Qt::green);
    p.fillRect(0, 48, 48, 48, Qt::blue);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "BMP");
    return Picture::fromBytes(bytes, "quarters.bmp");
  }
};

TEST(DeviceMappingTest, RoundsAndSubtractsThePrinterOffset) {
  const DeviceMapping screen = DeviceMapping::forScreen(50);
  EXPECT_DOUBLE_EQ(screen.dpiX, 48.0);
  EXPECT_EQ(screen.toDeviceX(unitsToTenthsMm(561)), 561);
  const DeviceMapping printer{600, 600, 42, 25};
  EXPECT_EQ(printer.toDeviceX(42), 0);
  EXPECT_EQ(printer.toDeviceX(2970), int(std::lround((2970 - 42) * 600 / 254.0)));
  EXPECT_EQ(printer.toDeviceY(0), int(std::lround(-25 * 600 / 254.0)));
  EXPECT_DOUBLE_EQ(DeviceMapping::offsetFromDevicePixels(100, 600), 42.0);  // 42.33 rounded
  EXPECT_DOUBLE_EQ(DeviceMapping::offsetFromDevicePixels(5, 0), 0.0);
}

TEST_F(PageRender, StaticPageWhiteWithGreyHeaderAndWhiteWeekdays) {
  PrintForm form;
  const QImage image = render(form.qr.generate(), 96);
  // 1 layout unit = 2 pixels at 96 dpi.
  const QRect bar(61 * 2, 59 * 2, 481 * 2, 14 * 2);
  EXPECT_EQ(image.pixel(bar.left(), bar.center().y()), qRgb(0, 0, 0));   // frame, left edge
  EXPECT_EQ(image.pixel(bar.right(), bar.center().y()), qRgb(0, 0, 0));  // right edge, inside the box
  EXPECT_EQ(image.pixel(bar.center().x(), bar.top()), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(bar.center().x(), bar.bottom()), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(bar.right() + 1, bar.center().y()), kWhite);
  EXPECT_EQ(image.pixel(bar.left() + 4, bar.top() + 3), qRgb(128, 128, 128));
  // The weekday names are white on the bar, and their red background is not filled.
  const Element* days[] = {&form.l_Monday, &form.l_Tuesday,  &form.l_Wednesday, &form.l_Thursday,
                           &form.l_Friday, &form.l_Saturday, &form.l_Sunday};
  for (const Element* d : days) {
    const QRect box(d->left * 2, d->top * 2, d->width * 2, d->height * 2);
    EXPECT_GT(countColor(image, box.adjusted(0, 2, 0, -2), kWhite), 20) << d->name.toStdString();
  }
  EXPECT_EQ(countColor(image, image.rect(), qRgb(255, 0, 0)), 0);
  // The left margin shows only its frame.
  EXPECT_EQ(ink(image, QRect(12 * 2, 100 * 2, 50 * 2, 200 * 2)), QRect(62 * 2 - 1, 200, 1, 400));
  // Cell area and corners are white.
  EXPECT_EQ(countColor(image, QRect(200, 300, 800, 400), kWhite), 800 * 400);
  // The whole page as a person sees it: month name, year, the header bar and its weekday names.
  EXPECT_EQ(orvella::testing::differenceFromReference(image, QStringLiteral("page/static_page")).toStdString(), "");
}

TEST_F(PageRender, OnlyWholeLinesAreDrawn) {
  const ElementFont font{"Arial", 20, clBlack};
  const double line = lineMetrics(font).height();
  // Room for two lines and most of a third.
  const int height = int(std::floor(2.8 * line));
  const QImage image = render(pageOf({label("A\rB\rC\rD", 100, 100, 60, height)}), 96);
  const auto lineBand = [&](int i) { return QRect(200, int(200 + 2 * i * line), 120, int(2 * line)); };
  EXPECT_FALSE(ink(image, lineBand(0)).isEmpty());
  EXPECT_FALSE(ink(image, lineBand(1)).isEmpty());
  EXPECT_TRUE(ink(image, lineBand(2)).isEmpty());
  EXPECT_TRUE(ink(image, lineBand(3)).isEmpty());
  // Lines stand one line height apart.
  const QRect a = ink(image, lineBand(0)), b = ink(image, lineBand(1));
  EXPECT_NEAR(b.bottom() - a.bottom(), 2 * line, 1.5);

  // A label lower than one line draws nothing at all.
  const QImage none = render(pageOf({label("A", 100, 100, 60, int(line) - 2)}), 96);
  EXPECT_TRUE(ink(none, QRect(0, 0, 600, 600)).isEmpty());
}

TEST_F(PageRender, AlignmentPlacesTextAcrossTheWidth) {
  Element left = label("I", 100, 50, 100, 30), right = left, centre = left;
  right.top = 100, right.alignment = Alignment::Right;
  centre.top = 150, centre.alignment = Alignment::Center;
  const QImage image = render(pageOf({left, right, centre}), 96);
  const QRect l = ink(image, QRect(150, 100, 500, 60));
  const QRect r = ink(image, QRect(150, 200, 500, 60));
  const QRect c = ink(image, QRect(150, 300, 500, 60));
  ASSERT_FALSE(l.isEmpty() || r.isEmpty() || c.isEmpty());
  EXPECT_NEAR(l.left(), 200, 8);  // the box spans 200..400 pixels
  EXPECT_NEAR(r.right(), 400, 8);
  EXPECT_NEAR(c.center().x(), 300, 2);
}

TEST_F(PageRender, TransparentLabelsShowWhatLiesUnder) {
  Element under;
  under.kind = ElementKind::Shape;
  under.left = 100, under.top = 100, under.width = 100, under.height = 40;
  under.fillColor = 0x0000FF;  // red
  Element see = label("", 100, 100, 50, 20), cover = label("", 150, 100, 50, 20);
  cover.transparent = false;
  cover.backgroundColor = 0xFF0000;  // blue
  const QImage image = render(pageOf({under, see, cover}), 96);
  EXPECT_EQ(image.pixel(250, 220), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(350, 220), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(350, 260), qRgb(255, 0, 0));  // below the label, the shape again
}

TEST_F(PageRender, StretchFillsTheBoxOtherwiseNaturalSizeCutAtTheBox) {
  Element stretched;
  stretched.kind = ElementKind::Image;
  stretched.picture = quarters();
  stretched.stretch = true;
  stretched.left = 10, stretched.top = 10, stretched.width = 100, stretched.height = 20;
  Element natural = stretched;  // 96 pixels = 1 inch = 48 units, in a larger box
  natural.stretch = false;
  natural.top = 50, natural.height = 100;
  Element cut = natural;  // box smaller than the picture: only its top-left quarter shows
  cut.top = 200, cut.width = 24, cut.height = 24;
  cut.frame.right = true;
  const QImage image = render(pageOf({stretched, natural, cut}), 96);

  // Stretched: 200 x 40 pixels, quarters 100 x 20.
  EXPECT_EQ(image.pixel(22, 22), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(217, 22), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(22, 57), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(217, 57), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(221, 40), kWhite);
  EXPECT_EQ(image.pixel(100, 61), kWhite);

  // Natural size: 96 pixels at 96 dpi, the rest of the box untouched.
  EXPECT_EQ(image.pixel(22, 102), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(115, 102), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(115, 195), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(117, 150), kWhite);
  EXPECT_EQ(image.pixel(50, 197), kWhite);

  // Cut at the 48-pixel box; the frame lies over the picture.
  EXPECT_EQ(image.pixel(21, 401), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(66, 430), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(67, 430), qRgb(0, 0, 0));  // frame, the box's last column
  EXPECT_EQ(image.pixel(68, 430), kWhite);
  EXPECT_EQ(image.pixel(40, 448), kWhite);
}

// Fill keeps the box and crops the picture's longer side evenly; Fit keeps the whole picture and shrinks
// the box around its centre; Stretch changes nothing.
TEST_F(PageRender, PictureFitGivesTheCropAndTheBox) {
  struct Case {
    QSize picture;
    PictureFit fit;
    QRectF crop;
    QRect box;
  };
  const Case cases[] = {
      {{96, 96}, PictureFit::Stretch, {}, {10, 20, 100, 50}},
      {{96, 96}, PictureFit::Fill, {0, 24, 96, 48}, {10, 20, 100, 50}},
      {{96, 96}, PictureFit::Fit, {}, {35, 20, 50, 50}},
      {{400, 100}, PictureFit::Fill, {100, 0, 200, 100}, {10, 20, 100, 50}},
      {{400, 100}, PictureFit::Fit, {}, {10, 32, 100, 25}},
      {{200, 100}, PictureFit::Fill, {}, {10, 20, 100, 50}},  // same proportions: nothing to cut
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.picture.width() << "x" << c.picture.height() << " fit " << int(c.fit));
    QImage img(c.picture, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "BMP");
    Element e;
    e.kind = ElementKind::Image;
    e.picture = Picture::fromBytes(bytes, "p.bmp");
    e.left = 10, e.top = 20, e.width = 100, e.height = 50;
    fitPicture(e, c.fit);
    EXPECT_EQ(e.crop, c.crop);
    EXPECT_EQ(QRect(e.left, e.top, e.width, e.height), c.box);
  }
}

TEST_F(PageRender, PrinterOffsetAndResolution) {
  Element shape;
  shape.kind = ElementKind::Shape;
  shape.left = 48, shape.top = 12, shape.width = 48, shape.height = 48;  // 1 inch square
  shape.fillColor = clBlack;
  shape.frame = Frame{true, true, true, true, 0x0000FF, 1.0};
  // At 300 dpi with the printer's unprintable margin of 0.5 inch across and 0.25 down, the square's
  // corner lands at 150, 0 device pixels.
  const QImage image = render(pageOf({shape}), 300, 127, 63.5);
  EXPECT_EQ(image.pixel(150, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(149, 0), kWhite);
  // Frames are one point at the device: round(300 / 72) = 4 pixels.
  EXPECT_EQ(image.pixel(153, 150), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(154, 150), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(449, 299), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(450, 150), kWhite);
  EXPECT_EQ(image.pixel(300, 300), kWhite);
}

// Boxes sharing an edge on the sheet share it on the device, whatever the scale: the right frames of
// a day number and of the day text under it form one straight line.
TEST_F(PageRender, FramesOfStackedBoxesLineUp) {
  Element number = label("", 61, 78, 66, 13), text = label("", 61, 109, 66, 18);
  number.frame.right = true;
  text.frame.right = text.frame.bottom = true;
  for (double dpi : {43.0, 57.3, 96.0, 133.7}) {
    const QImage image = render(pageOf({number, text}), dpi);
    const QRect a = ink(image, QRect(0, 0, image.width(), int(100 * dpi / 48)));
    const QRect b = ink(image, QRect(0, int(105 * dpi / 48), image.width(), int(15 * dpi / 48)));
    EXPECT_EQ(a.right(), b.right()) << dpi;
    const DeviceMapping mapping{dpi, dpi};
    EXPECT_EQ(a.right() + 1, mapping.toDeviceX(unitsToTenthsMm(127))) << dpi;
  }
}

// Text size follows the mapping, not the device's own resolution setting.
TEST_F(PageRender, TextScalesWithTheMappingWhateverTheImageResolution) {
  const GeneratedPage page = pageOf({label("H", 100, 100, 100, 40, 30)});
  const QRect at96 = ink(render(page, 96), QRect(150, 150, 300, 150));
  const QRect at300 = ink(render(page, 300, 0, 0, 72), QRect(600, 600, 600, 300));
  ASSERT_FALSE(at96.isEmpty() || at300.isEmpty());
  EXPECT_NEAR(double(at300.height()) / at96.height(), 300.0 / 96.0, 0.12);
  // The capital H of 30 points is about 0.716 em: 21.5 points high.
  EXPECT_NEAR(at300.height(), 30 * 0.716 * 300 / 72, 4);
}

// Pages read back from report files may hold anything: such elements draw what they can, or nothing.
TEST_F(PageRender, AbsurdElementsAreHarmless) {
  Element huge = label(QString("abc ").repeated(50000), -2000000000, 2000000000, 2000000000, -5, 1 << 30);
  huge.wordWrap = true;
  Element wide = label(QString("Jan ").repeated(50000), 10, 10, 2000000000, 40, 10);
  wide.wordWrap = true;
  Element framed = label("", 100, 100, 20, 20);
  framed.frame = Frame{true, true, true, true, clBlack, std::nan("")};
  const QImage image = render(pageOf({huge, wide, framed}), 96);
  EXPECT_FALSE(ink(image, QRect(20, 20, 200, 40)).isEmpty());
  EXPECT_EQ(ink(image, QRect(190, 190, 60, 60)), QRect(200, 200, 40, 40));  // a one-point frame
}

TEST_F(PageRender, RestoresThePainterState) {
  QImage image(100, 100, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  const QPen pen(Qt::green, 3);
  QFont font("DejaVu Sans", 7);
  painter.setPen(pen);
  painter.setFont(font);
  painter.setClipRect(0, 0, 50, 50);
  PrintForm form;
  drawPage(form.qr.generate(), painter, DeviceMapping::forScreen(10));
  EXPECT_EQ(painter.pen(), pen);
  EXPECT_EQ(painter.font(), font);
  EXPECT_EQ(painter.clipBoundingRect(), QRectF(0, 0, 50, 50));
  EXPECT_TRUE(painter.transform().isIdentity());
}

}  // namespace
