// Bitmaps inside metafiles: every depth and header the decoder knows, and raster operations.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QPdfWriter>

#include "platform/metafile/damaged.h"
#include "platform/metafile/dib_decoder.h"
#include "tests/platform/metafile/metafile_writer.h"

namespace orvella {
namespace {

using metafile::decodeDib;
using metafile::LeReader;
using testing_metafile::near;
using testing_metafile::putU16;
using testing_metafile::putU32;
using testing_metafile::render;
using testing_metafile::WmfWriter;

class MetafileBitmaps : public testing::Test {
 protected:
  static QByteArray info(std::int32_t width, std::int32_t height, int bits, int compression, int colours = 0,
                         int headerSize = 40) {
    QByteArray b;
    putU32(b, std::uint32_t(headerSize));
    putU32(b, std::uint32_t(width));
    putU32(b, std::uint32_t(height));
    putU16(b, 1);
    putU16(b, std::uint16_t(bits));
    putU32(b, std::uint32_t(compression));
    putU32(b, 0);
    putU32(b, 0);
    putU32(b, 0);
    putU32(b, std::uint32_t(colours));
    putU32(b, 0);
    while (b.size() < headerSize) putU32(b, 0);
    return b;
  }
  static QImage decode(const QByteArray& dib) {
    return decodeDib(LeReader(reinterpret_cast<const std::uint8_t*>(dib.constData()), dib.size()), LeReader(),
                     false);
  }
  static QColor at(const QImage& image, int x, int y) { return QColor::fromRgba(image.pixel(x, y)); }
};

TEST_F(MetafileBitmaps, IndexedDepthsUseTheirColourTable) {
  // 1 bit: 3 × 2, colours black and red, rows bottom-up.
  QByteArray one = info(3, 2, 1, 0, 2) + QByteArray::fromHex(
                                             "00000000"
                                             "0000ff00");
  one += QByteArray::fromHex(
      "a0000000"
      "40000000");  // bottom row 1 0 1, top row 0 1 0
  QImage image = decode(one);
  ASSERT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(at(image, 0, 1), QColor(Qt::red));
  EXPECT_EQ(at(image, 1, 1), QColor(Qt::black));
  EXPECT_EQ(at(image, 1, 0), QColor(Qt::red));
  // 4 bits, palette of the default size (16) with index 3 green.
  QByteArray four = info(2, 1, 4, 0);
  for (int i = 0; i < 16; ++i) putU32(four, i == 3 ? 0x0000FF00u : 0);
  four += QByteArray::fromHex("30000000");
  image = decode(four);
  EXPECT_EQ(at(image, 0, 0), QColor(Qt::green));
  EXPECT_EQ(at(image, 1, 0), QColor(Qt::black));
  // 8 bits top-down (negative height) with a short table: unlisted indices are black.
  QByteArray eight = info(2, -2, 8, 0, 2) + QByteArray::fromHex(
                                                "ff000000"
                                                "00ff0000");
  eight += QByteArray::fromHex(
      "00010000"
      "01050000");
  image = decode(eight);
  EXPECT_EQ(at(image, 0, 0), QColor(Qt::blue));
  EXPECT_EQ(at(image, 1, 0), QColor(Qt::green));
  EXPECT_EQ(at(image, 1, 1), QColor(Qt::black));
  // An old 12-byte header with three-byte colours.
  QByteArray core;
  putU32(core, 12);
  putU16(core, 1);
  putU16(core, 1);
  putU16(core, 1);
  putU16(core, 8);
  for (int i = 0; i < 256; ++i) core += i == 7 ? QByteArray::fromHex("0000ff") : QByteArray(3, '\0');
  core += QByteArray::fromHex("07000000");
  EXPECT_EQ(at(decode(core), 0, 0), QColor(Qt::red));
}

TEST_F(MetafileBitmaps, DirectDepthsAndBitFields) {
  // 16 bits, 5-5-5 by default: pure red is 0x7C00.
  EXPECT_EQ(at(decode(info(1, 1, 16, 0) + QByteArray::fromHex("007c0000")), 0, 0), QColor(Qt::red));
  // 16 bits with 5-6-5 masks after the header: pure green is 0x07E0.
  QByteArray fields = info(1, 1, 16, 3);
  putU32(fields, 0xF800);
  putU32(fields, 0x07E0);
  putU32(fields, 0x001F);
  EXPECT_EQ(at(decode(fields + QByteArray::fromHex("e0070000")), 0, 0), QColor(Qt::green));
  // 24 bits, blue green red.
  EXPECT_EQ(at(decode(info(1, 1, 24, 0) + QByteArray::fromHex("ff000000")), 0, 0), QColor(Qt::blue));
  // 32 bits with the fourth byte zero everywhere: opaque.
  const QImage opaque = decode(info(1, 1, 32, 0) + QByteArray::fromHex("00ff0000"));
  EXPECT_EQ(qAlpha(opaque.pixel(0, 0)), 255);
  EXPECT_EQ(at(opaque, 0, 0), QColor(Qt::green));
  // 32 bits with alpha in a version 5 header's masks.
  QByteArray v5 = info(1, 1, 32, 3, 0, 124);
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t mask = 0xFFu << (i == 3 ? 24 : 16 - 8 * i);
    for (int k = 0; k < 4; ++k) v5[40 + 4 * i + k] = char((mask >> (8 * k)) & 0xFF);
  }
  const QImage alpha = decode(v5 + QByteArray::fromHex("0000ff80"));
  EXPECT_EQ(qRed(alpha.pixel(0, 0)), 255);
  EXPECT_EQ(qAlpha(alpha.pixel(0, 0)), 0x80);
}

TEST_F(MetafileBitmaps, RunLengthEncodings) {
  // RLE8 4 × 2: a run of 3 of index 1, end of line; an absolute run of 4 (1 2 1 2), end of bitmap.
  QByteArray rle8 = info(4, 2, 8, 1, 3) + QByteArray::fromHex(
                                              "00000000"
                                              "0000ff00"
                                              "ff000000");
  rle8 += QByteArray::fromHex(
      "0301"
      "0000"
      "000401020102"
      "0001");
  const QImage eight = decode(rle8);
  EXPECT_EQ(at(eight, 0, 1), QColor(Qt::red));
  EXPECT_EQ(at(eight, 3, 1), QColor(Qt::black));
  EXPECT_EQ(at(eight, 1, 0), QColor(Qt::blue));
  // RLE4 3 × 1: a run of 3 alternating 1 and 2.
  QByteArray rle4 = info(3, 1, 4, 2, 3) + QByteArray::fromHex(
                                              "00000000"
                                              "0000ff00"
                                              "ff000000");
  const QImage four = decode(rle4 + QByteArray::fromHex("0312"
                                                        "0001"));
  EXPECT_EQ(at(four, 0, 0), QColor(Qt::red));
  EXPECT_EQ(at(four, 1, 0), QColor(Qt::blue));
  EXPECT_EQ(at(four, 2, 0), QColor(Qt::red));
}

TEST_F(MetafileBitmaps, MaskingRasterOperationsWorkThroughAnImage) {
  // A red square, then a 2 × 1 mask of black and white combined with source AND: the black half
  // darkens the square, the white half leaves it; outside the square nothing is drawn.
  WmfWriter w(0, 0, 1000, 1000, 1000);
  w.pen(5, 0, 0).select(0).brush(0, 0x0000FF, 0).select(1).rectangle(0, 0, 1000, 500);
  QByteArray params;
  putU32(params, 0x008800C6);
  for (int v : {1, 2, 0, 0, 500, 1000, 0, 0}) putU16(params, std::uint16_t(v));
  params += info(2, 1, 24, 0) + QByteArray::fromHex("000000ffffff0000");
  const auto picture = decodeMetafile(w.raw(0x0B41, params).finish(), QStringLiteral("mask.wmf"));
  QImage image(100, 100, QImage::Format_ARGB32);
  image.fill(Qt::green);  // what lies under the picture
  QPainter painter(&image);
  picture->draw(painter, QRectF(0, 0, 100, 100));
  painter.end();
  EXPECT_TRUE(near(image.pixel(25, 25), Qt::black));
  EXPECT_TRUE(near(image.pixel(75, 25), Qt::red));
  EXPECT_TRUE(near(image.pixel(50, 75), Qt::green));
}

TEST_F(MetafileBitmaps, VectorDevicesGetThePicturesToo) {
  // A PDF writer draws through a different paint engine; the samples must pass through it.
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    for (const char* name : {"uemf_paths_bitmaps.emf", "uemf_plain_arcs.wmf", "inkscape_shapes.emf"}) {
      QFile file(QStringLiteral(ORVELLA_TEST_DATA "/metafile/") + QLatin1String(name));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      decodeMetafile(file.readAll(), QLatin1String(name))->draw(painter, QRectF(0, 0, 4000, 3000));
    }
  }
  EXPECT_GT(pdf.size(), 1000);
}

}  // namespace
}  // namespace orvella
