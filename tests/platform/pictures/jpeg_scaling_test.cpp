// JPEG pictures are decoded no larger than the device needs, once per size, and reused from the cache.
#include <gtest/gtest.h>

#include "picture_test_support.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/raster_cache.h"

namespace orvella {
namespace {

using test::describe;
using test::near;

class JpegScaling : public ::testing::Test {
 protected:
  void SetUp() override {
    RasterCache::instance().clear();
    RasterCache::instance().resetStats();
    jpegDecodeStats() = {};
  }
  static int decodes() { return jpegDecodeStats().decodes; }
  static QSize lastDecoded() { return jpegDecodeStats().lastDecodedSize; }
};

TEST_F(JpegScaling, ChoosesTheSmallestEighthThatCoversTheDevice) {
  const QSize photo(6000, 4000);
  EXPECT_EQ(jpegScaleFor(photo, QSize(1100, 800)), 2);  // 1500 × 1000
  EXPECT_EQ(jpegScaleFor(photo, QSize(750, 500)), 1);
  EXPECT_EQ(jpegScaleFor(photo, QSize(751, 10)), 2);
  EXPECT_EQ(jpegScaleFor(photo, QSize(3000, 2000)), 4);
  EXPECT_EQ(jpegScaleFor(photo, QSize(7016, 4961)), 8);           // a 600 dpi page: never more than full size
  EXPECT_EQ(jpegScaledSize(QSize(801, 601), 1), QSize(101, 76));  // rounded up like libjpeg
}

TEST_F(JpegScaling, DrawnSmallDecodesSmallThenHitsTheCache) {
  const Picture picture = Picture::load(test::sample("large.jpg"));  // 800 × 600
  EXPECT_EQ(decodes(), 0) << "loading reads the header only";
  QImage image = test::render(picture, QSize(100, 75), QRectF(0, 0, 100, 75));
  EXPECT_EQ(decodes(), 1);
  EXPECT_EQ(lastDecoded(), QSize(100, 75));
  EXPECT_TRUE(near(image.pixel(25, 18), Qt::red)) << describe(image.pixel(25, 18));
  EXPECT_TRUE(near(image.pixel(75, 56), Qt::white)) << describe(image.pixel(75, 56));

  const int hitsBefore = RasterCache::instance().stats().hits;
  image = test::render(picture, QSize(100, 75), QRectF(0, 0, 100, 75));
  EXPECT_EQ(decodes(), 1);
  EXPECT_EQ(RasterCache::instance().stats().hits, hitsBefore + 1);

  // Loading the same file again (each composition does) finds the decode of the first load.
  const Picture again = Picture::load(test::sample("large.jpg"));
  test::render(again, QSize(100, 75), QRectF(0, 0, 100, 75));
  EXPECT_EQ(decodes(), 1);
}

TEST_F(JpegScaling, ThePainterTransformDecidesTheSize) {
  const Picture picture = Picture::load(test::sample("large.jpg"));
  QImage canvas(400, 300, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  painter.scale(2.0, 2.0);  // 100 × 75 layout units cover 200 × 150 device pixels
  picture.draw(painter, QRectF(0, 0, 100, 75));
  painter.end();
  EXPECT_EQ(lastDecoded(), QSize(200, 150));
  EXPECT_TRUE(near(canvas.pixel(150, 30), Qt::green)) << describe(canvas.pixel(150, 30));

  QImage big(1000, 700, QImage::Format_RGB32);
  QPainter bigPainter(&big);
  picture.draw(bigPainter, QRectF(0, 0, 1000, 700));  // larger than the picture: full size, no more
  bigPainter.end();
  EXPECT_EQ(lastDecoded(), QSize(800, 600));
}

TEST_F(JpegScaling, SmallPhotoEnlargedIsSmooth) {
  // Unlike a small bitmap, a photograph enlarged ten times blends across the edge of its quadrants.
  const QImage image =
      test::render(Picture::load(test::sample("quadrants.jpg")), QSize(640, 480), QRectF(0, 0, 640, 480));
  const QRgb edge = image.pixel(320, 100);
  EXPECT_TRUE(qRed(edge) > 40 && qGreen(edge) > 40) << describe(edge);
}

TEST_F(JpegScaling, TinyDrawOfALargePictureIsSmoothlyReduced) {
  const Picture picture = Picture::load(test::sample("large.jpg"));
  const QImage image = test::render(picture, QSize(8, 6), QRectF(0, 0, 8, 6));
  EXPECT_EQ(lastDecoded(), QSize(100, 75));  // 1/8 is the smallest decode
  EXPECT_TRUE(near(image.pixel(1, 1), Qt::red, 40)) << describe(image.pixel(1, 1));
  EXPECT_TRUE(near(image.pixel(6, 4), Qt::white, 40)) << describe(image.pixel(6, 4));
}

}  // namespace
}  // namespace orvella
