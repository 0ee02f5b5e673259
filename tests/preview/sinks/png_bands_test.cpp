// PNG images written a band of rows at a time: the file holds exactly the pixels of the bands.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include "preview/sinks/png_bands.h"

namespace orvella::testing {
namespace {

// Noise, flat areas and lines: every filter path and the joins between bands are exercised. Rows in
// the middle third have no noise, so that bands of photo-like and of drawn content follow each other
// in both orders, and each kind is deflated as it is.
QImage sampleImage(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  QRandomGenerator random(5);
  for (int y = 0; y < size.height(); ++y) {
    const bool drawn = y >= size.height() / 3 && y < size.height() * 2 / 3;
    for (int x = 0; x < size.width(); ++x)
      image.setPixel(x, y, !drawn && x < size.width() / 3 ? random.generate() | 0xFF000000u : qRgb(255, 255, 255));
  }
  QPainter painter(&image);
  painter.setPen(QPen(Qt::darkBlue, 3));
  painter.drawLine(0, size.height(), size.width(), 0);
  return image;
}

QByteArray writeInBands(const QImage& image, int bandRows, QIODevice& out) {
  PngBands png(out, image.size(), 5906, bandRows);
  while (png.top() < image.height()) {
    const int top = png.top();
    QImage& band = png.nextBand();
    EXPECT_FALSE(band.isNull());
    if (band.isNull()) return {};
    QPainter painter(&band);
    painter.drawImage(0, -top, image);
    painter.end();
    EXPECT_TRUE(png.addBand());
  }
  EXPECT_TRUE(png.finish());
  return {};
}

TEST(PngBands, TheFileHoldsExactlyThePixelsOfItsBands) {
  const QImage image = sampleImage(QSize(257, 131));
  for (int bandRows : {1, 10, 40, 130, 131, 500}) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    writeInBands(image, bandRows, out);
    const QImage read = QImage::fromData(out.data(), "PNG");
    ASSERT_EQ(read.size(), image.size()) << bandRows;
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), image) << bandRows;
    EXPECT_EQ(read.dotsPerMeterX(), 5906) << bandRows;
  }
}

// A device that takes a few bytes and then refuses every write, as a full disk does.
class FullDevice : public QIODevice {
 public:
  explicit FullDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char*, qint64 size) override {
    if (size > room_) return -1;
    room_ -= size;
    return size;
  }

 private:
  qint64 room_;
};

TEST(PngBands, AWriteThatFailsFailsTheFile) {
  const QImage image = sampleImage(QSize(300, 200));
  for (qint64 room : {qint64(0), qint64(40), qint64(2000)}) {
    FullDevice out(room);
    PngBands png(out, image.size(), 0, 20);
    bool ok = true;
    while (ok && png.top() < image.height()) {
      const int top = png.top();
      QImage& band = png.nextBand();
      if (band.isNull()) break;
      QPainter(&band).drawImage(0, -top, image);
      ok = png.addBand();
    }
    EXPECT_FALSE(png.finish()) << room;
  }
  // Rows left out are no whole image either.
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  PngBands png(out, image.size(), 0, 50);
  png.nextBand();
  png.addBand();
  EXPECT_FALSE(png.finish());
}

}  // namespace
}  // namespace orvella::testing
