// Every supported raster format loads from a file and draws where and how it should.
#include <gtest/gtest.h>

#include "picture_test_support.h"
#include "platform/errors/error.h"
#include "platform/pictures/raster_cache.h"

namespace orvella {
namespace {

using test::describe;
using test::near;
using test::render;
using test::sample;

class PictureLoading : public ::testing::Test {
 protected:
  void SetUp() override { RasterCache::instance().clear(); }

  // The four quadrants of the sample pictures, drawn stretched over a 160 × 120 canvas.
  static void expectQuadrants(const Picture& picture) {
    const QImage image = render(picture, QSize(160, 120), QRectF(0, 0, 160, 120));
    EXPECT_TRUE(near(image.pixel(40, 30), Qt::red)) << describe(image.pixel(40, 30));
    EXPECT_TRUE(near(image.pixel(120, 30), Qt::green)) << describe(image.pixel(120, 30));
    EXPECT_TRUE(near(image.pixel(40, 90), Qt::blue)) << describe(image.pixel(40, 90));
    EXPECT_TRUE(near(image.pixel(120, 90), Qt::white)) << describe(image.pixel(120, 90));
  }
};

TEST_F(PictureLoading, RedBitmapStretchedFillsItsBoxOnly) {
  const Picture picture = Picture::load(sample("red.bmp"));
  EXPECT_EQ(picture.naturalSize(), QSizeF(8, 6));
  const QImage image = render(picture, QSize(100, 80), QRectF(10, 20, 60, 40));
  for (QPoint p : {QPoint(10, 20), QPoint(69, 59), QPoint(40, 40), QPoint(69, 20), QPoint(10, 59)})
    EXPECT_TRUE(near(image.pixel(p), Qt::red, 0)) << p.x() << "," << p.y() << " " << describe(image.pixel(p));
  for (QPoint p : {QPoint(9, 40), QPoint(70, 40), QPoint(40, 19), QPoint(40, 60)})
    EXPECT_TRUE(near(image.pixel(p), Qt::white, 0))
        << p.x() << "," << p.y() << " " << describe(image.pixel(p));
}

TEST_F(PictureLoading, BitmapsKeepTheirOrientationAndPalette) {
  expectQuadrants(Picture::load(sample("quadrants.bmp")));
  expectQuadrants(Picture::load(sample("quadrants_indexed.bmp")));
}

TEST_F(PictureLoading, JpegColourGreyAndCmyk) {
  const Picture photo = Picture::load(sample("quadrants.jpg"));
  EXPECT_EQ(photo.naturalSize(), QSizeF(64, 48));
  expectQuadrants(photo);

  const QImage grey = render(Picture::load(sample("grey.jpg")), QSize(32, 32), QRectF(0, 0, 32, 32));
  EXPECT_TRUE(near(grey.pixel(16, 16), QColor(128, 128, 128), 4)) << describe(grey.pixel(16, 16));

  // Adobe CMYK with inverted inks: full cyan, no black.
  const QImage cmyk = render(Picture::load(sample("cmyk.jpg")), QSize(24, 16), QRectF(0, 0, 24, 16));
  EXPECT_TRUE(near(cmyk.pixel(12, 8), QColor(0, 255, 255))) << describe(cmyk.pixel(12, 8));
}

TEST_F(PictureLoading, IconShowsItsLargestImageWithItsMask) {
  const Picture icon = Picture::load(sample("two_sizes.ico"));
  EXPECT_EQ(icon.naturalSize(), QSizeF(32, 32));
  const QImage image = render(icon, QSize(32, 32), QRectF(0, 0, 32, 32));
  EXPECT_TRUE(near(image.pixel(10, 10), Qt::blue, 0)) << describe(image.pixel(10, 10));
  EXPECT_TRUE(near(image.pixel(10, 25), Qt::yellow, 0)) << describe(image.pixel(10, 25));
  // The mask's left column is transparent: the white canvas shows through.
  EXPECT_TRUE(near(image.pixel(0, 10), Qt::white, 0)) << describe(image.pixel(0, 10));

  const Picture png = Picture::load(sample("png_entry.ico"));
  EXPECT_EQ(png.naturalSize(), QSizeF(48, 48));
  const QImage pngImage = render(png, QSize(48, 48), QRectF(0, 0, 48, 48));
  EXPECT_TRUE(near(pngImage.pixel(24, 24), Qt::red, 0)) << describe(pngImage.pixel(24, 24));
}

TEST_F(PictureLoading, FormatIsFoundByContentWhateverTheName) {
  const QByteArray jpeg = test::sampleBytes("quadrants.jpg");
  const Picture picture = Picture::fromBytes(jpeg, "renamed.bmp");
  EXPECT_EQ(picture.naturalSize(), QSizeF(64, 48));
  EXPECT_EQ(picture.fileName(), "renamed.bmp");
  EXPECT_EQ(picture.bytes().constData(), jpeg.constData()) << "bytes are shared, not copied";
  expectQuadrants(picture);
}

TEST_F(PictureLoading, SmallBitmapEnlargedStaysCrisp) {
  // 16 × 12 quadrants enlarged ten times: the edge between red and green stays one step wide.
  const QImage image =
      render(Picture::load(sample("quadrants.bmp")), QSize(160, 120), QRectF(0, 0, 160, 120));
  EXPECT_TRUE(near(image.pixel(79, 30), Qt::red, 0)) << describe(image.pixel(79, 30));
  EXPECT_TRUE(near(image.pixel(80, 30), Qt::green, 0)) << describe(image.pixel(80, 30));
}

TEST_F(PictureLoading, EmptyPictureDrawsNothing) {
  const Picture empty;
  EXPECT_TRUE(empty.isNull());
  EXPECT_TRUE(empty.naturalSize().isEmpty());
  const QImage image = render(empty, QSize(10, 10), QRectF(0, 0, 10, 10));
  EXPECT_TRUE(near(image.pixel(5, 5), Qt::white, 0));
}

TEST_F(PictureLoading, StrongReductionIsAveragedAndCachedOnce) {
  // A fine checkerboard reduced eight times must come out as an even grey, not as aliased stripes.
  QImage board(400, 400, QImage::Format_RGB32);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) board.setPixel(x, y, ((x + y) & 1) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  QByteArray bmp;
  {
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(board.save(&buffer, "BMP"));
  }
  const Picture picture = Picture::fromBytes(bmp, "board.bmp");
  RasterCache& cache = RasterCache::instance();
  cache.resetStats();
  const QImage first = render(picture, QSize(50, 50), QRectF(0, 0, 50, 50));
  for (QPoint p : {QPoint(3, 3), QPoint(20, 31), QPoint(47, 8)})
    EXPECT_TRUE(near(first.pixel(p), QColor(128, 128, 128), 12)) << describe(first.pixel(p));
  EXPECT_EQ(cache.stats().insertions, 1);
  const QImage second = render(picture, QSize(50, 50), QRectF(0, 0, 50, 50));
  EXPECT_EQ(cache.stats().insertions, 1);
  EXPECT_EQ(cache.stats().hits, 1);
  EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace orvella
