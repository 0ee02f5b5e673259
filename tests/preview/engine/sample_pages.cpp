// Generated pages for the preview's tests: a calendar-like sheet with labels, shapes and pictures.
#include "tests/preview/engine/sample_pages.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include "calendar/page/page_renderer.h"
#include "platform/pictures/picture.h"

namespace orvella::testing {

using page::Element;
using page::ElementKind;

QByteArray gradientBmp(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgb(120 + 100 * x / width, 170 + 60 * y / height, 230 - 40 * x / width));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes;
}

namespace {

Element box(ElementKind kind, int left, int top, int width, int height) {
  Element e;
  e.kind = kind;
  e.left = left;
  e.top = top;
  e.width = width;
  e.height = height;
  return e;
}

Element label(const QString& caption, int left, int top, int width, int height, int points, bool bold) {
  Element e = box(ElementKind::Label, left, top, width, height);
  e.caption = caption;
  e.alignment = page::Alignment::Center;
  e.font.name = QStringLiteral("Arial");
  e.font.size = points;
  e.font.bold = bold;
  e.transparent = true;
  e.wordWrap = true;
  return e;
}

Element square(QPoint topLeft) {
  Element e = box(ElementKind::Shape, topLeft.x(), topLeft.y(), 48, 48);
  e.fillColor = clBlack;
  return e;
}

}  // namespace

page::GeneratedPage samplePage(const QString& month) {
  page::GeneratedPage page;
  Element band = box(ElementKind::Band, 19, 19, 523, 6);
  band.name = QStringLiteral("TitleBand1");
  page.bands.push_back(band);

  Element background = box(ElementKind::Image, 0, 0, 561, 401);
  background.name = QStringLiteral("bg_img");
  background.stretch = true;
  background.picture = Picture::fromBytes(gradientBmp(64, 48), QStringLiteral("background.bmp"));
  page.elements.push_back(background);

  Element header = box(ElementKind::Shape, 61, 59, 481, 14);
  header.name = QStringLiteral("QRShape1");
  header.fillColor = 0x808080;
  header.frame.top = header.frame.bottom = header.frame.left = header.frame.right = true;
  page.elements.push_back(header);

  Element monday = label(QStringLiteral("poniedziałek"), 65, 59, 66, 13, 15, true);
  monday.name = QStringLiteral("l_Monday");
  monday.font.color = clWhite;
  page.elements.push_back(monday);
  Element tuesday = label(QStringLiteral("wtorek"), 133, 59, 66, 13, 15, true);
  tuesday.name = QStringLiteral("l_Tuesday");
  tuesday.font.color = clWhite;
  page.elements.push_back(tuesday);

  Element left = box(ElementKind::Image, 12, 5, 50, 395);
  left.name = QStringLiteral("qri_left");
  left.frame.right = true;
  left.picture = Picture::fromBytes(gradientBmp(30, 200), QStringLiteral("left.bmp"));
  page.elements.push_back(left);

  Element name = label(month, 24, 16, 521, 39, 40, true);
  name.name = QStringLiteral("qr_miech");
  name.font.name = QStringLiteral("Arial Black");
  page.elements.push_back(name);

  Element day = label(QStringLiteral("1"), 61, 78, 66, 31, 20, true);
  day.tag = 1000;
  day.alignment = page::Alignment::Left;
  page.elements.push_back(day);
  Element text = label(QStringLiteral("Nowy Rok\rMieczysława"), 61, 109, 66, 18, 7, false);
  text.tag = 1000;
  text.frame.top = text.frame.bottom = true;
  page.elements.push_back(text);

  page.elements.push_back(square(QPoint(100, 200)));
  return page;
}

page::GeneratedPage squaresPage(std::initializer_list<QPoint> topLefts) {
  page::GeneratedPage page;
  for (QPoint at : topLefts) page.elements.push_back(square(at));
  return page;
}

QImage renderAt(const page::GeneratedPage& page, int zoomPercent) {
  const page::DeviceMapping mapping = page::DeviceMapping::forScreen(zoomPercent);
  const int width = mapping.toDeviceX(page.settings.paperWidthMm * 10);
  const int height = mapping.toDeviceY(page.settings.paperHeightMm * 10);
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  page::drawPage(page, painter, mapping);
  painter.end();
  return image;
}

bool havePdfRasterizer() { return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(); }

QImage rasterizePdf(const QString& pdf, int page, int dpi) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (tool.isEmpty()) return {};
  const QString prefix = pdf + QStringLiteral("-page");
  QProcess::execute(tool, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                           QString::number(page), QStringLiteral("-l"), QString::number(page),
                           QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, prefix});
  return QImage(prefix + QStringLiteral(".png"));
}

QRect darkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
  return box;
}

bool sameImages(const QImage& expected, const QImage& actual, const QString& name) {
  if (expected.size() == actual.size() &&
      expected.convertToFormat(QImage::Format_RGB32) == actual.convertToFormat(QImage::Format_RGB32))
    return true;
  expected.save(QDir::temp().filePath(name + QStringLiteral("-expected.png")));
  actual.save(QDir::temp().filePath(name + QStringLiteral("-actual.png")));
  return false;
}

}  // namespace orvella::testing
