// Each record kind draws where the mapping puts it, with the defaults and object rules of GDI.
#include <gtest/gtest.h>

#include "platform/errors/error.h"
#include "platform/metafile/code_pages.h"
#include "tests/platform/metafile/metafile_writer.h"
#include "tests/support/english_messages.h"

namespace orvella {
namespace {

using testing_metafile::EmfWriter;
using testing_metafile::near;
using testing_metafile::render;
using testing_metafile::WmfWriter;

constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;
constexpr int kNullPen = 5;
// WMF functions used below.
constexpr std::uint16_t kSetMapMode = 0x0103, kSetBkMode = 0x0102, kSetPolyFillMode = 0x0106,
                        kSaveDc = 0x001E, kRestoreDc = 0x0127, kDeleteObject = 0x01F0, kPie = 0x081A,
                        kPolyPolygon = 0x0538, kIntersectClip = 0x0416, kExcludeClip = 0x0415,
                        kCreateFont = 0x02FB, kTextOut = 0x0521, kSetTextAlign = 0x012E, kStretchDib = 0x0F43,
                        kLineTo = 0x0213, kMoveTo = 0x0214, kExtTextOut = 0x0A32, kSetBkColor = 0x0201;

class MetafileRecords : public testing::Test {
 protected:
  // A placeable 1000 × 1000 unit picture at 1000 units an inch with a hidden pen and a red brush.
  static WmfWriter square() {
    WmfWriter w(0, 0, 1000, 1000, 1000);
    w.pen(kNullPen, 0, 0).select(0).brush(0, kRed, 0).select(1);
    return w;
  }
  static QImage draw(const QByteArray& bytes, int size = 100) {
    return render(*decodeMetafile(bytes, QStringLiteral("test.wmf")), size, size);
  }
  static bool red(const QImage& image, int x, int y) { return near(image.pixel(x, y), Qt::red); }
  static bool white(const QImage& image, int x, int y) { return near(image.pixel(x, y), Qt::white); }

  // A font record: height, width, escapement, orientation, weight, italic|underline, strike|charset,
  // precisions, face.
  static QByteArray font(int height, int escapement, int charset) {
    QByteArray f;
    for (int v : {height, 0, escapement, escapement, 400}) testing_metafile::putU16(f, std::uint16_t(v));
    f.append(char(0)).append(char(0)).append(char(0)).append(char(charset));
    f.append(QByteArray(4, '\0'));
    f.append("DejaVu Sans");
    f.append(QByteArray(32 - 11, '\0'));
    return f;
  }
  static QByteArray textOut(int x, int y, const QByteArray& text) {
    QByteArray t;
    testing_metafile::putU16(t, std::uint16_t(text.size()));
    t.append(text);
    if (text.size() % 2) t.append('\0');
    testing_metafile::putU16(t, std::uint16_t(y));
    testing_metafile::putU16(t, std::uint16_t(x));
    return t;
  }
  // Bounding box of the dark pixels.
  static QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 100) box = box.united(QRect(x, y, 1, 1));
    return box;
  }
  static int darkIn(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (qGray(image.pixel(x, y)) < 100) ++count;
    return count;
  }
};

TEST_F(MetafileRecords, RectangleLandsWhereThePlaceableBoxPutsIt) {
  const QImage image = draw(square().rectangle(200, 300, 400, 500).finish());
  EXPECT_TRUE(red(image, 30, 40));
  EXPECT_TRUE(white(image, 10, 10));
  EXPECT_TRUE(white(image, 50, 40));
  EXPECT_TRUE(white(image, 30, 60));
}

TEST_F(MetafileRecords, WindowRecordsMapOntoTheBoxAndNegativeExtentsFlip) {
  // Window of 2000 units with its origin at 1000: the rectangle lands in the picture's right half.
  const QImage shifted = draw(square().window(1000, 0, 2000, 2000).rectangle(2200, 200, 2800, 800).finish());
  EXPECT_TRUE(red(shifted, 75, 25));
  EXPECT_TRUE(white(shifted, 25, 25));
  // A y axis pointing up: logical y 100..300 is near the bottom of the picture.
  const QImage up = draw(square().window(0, 1000, 1000, -1000).rectangle(200, 100, 400, 300).finish());
  EXPECT_TRUE(red(up, 30, 80));
  EXPECT_TRUE(white(up, 30, 20));
}

TEST_F(MetafileRecords, MetricMappingModesPointUp) {
  // EMF, 0.1 mm units, the viewport origin at the bottom left of a 1000 pixel device (96 dpi).
  EmfWriter e(0, 0, 26458, 26458);
  e.rec(17, {2}).rec(12, {0, 1000});
  e.rec(39, {1, 0, kRed, 0}).rec(37, {1}).rec(37, {0x80000008});  // red brush, null pen
  e.rec(43, {500, 500, 1500, 1500});
  const QImage image = render(*decodeMetafile(e.finish(), QStringLiteral("m.emf")), 100, 100);
  EXPECT_TRUE(red(image, 37, 62));
  EXPECT_TRUE(white(image, 37, 30));
  EXPECT_TRUE(white(image, 37, 90));
}

TEST_F(MetafileRecords, PlainMetafileIsFramedByItsWindow) {
  WmfWriter w;
  w.rec(kSetMapMode, {8}).window(-500, -500, 1000, 1000);
  w.pen(kNullPen, 0, 0).select(0).brush(0, kRed, 0).select(1).rectangle(0, 0, 500, 500);
  const auto picture = decodeMetafile(w.finish(), QStringLiteral("plain.wmf"));
  EXPECT_GT(picture->naturalSize().width(), 0);
  const QImage image = render(*picture, 100, 100);
  EXPECT_TRUE(red(image, 75, 75));
  EXPECT_TRUE(white(image, 25, 25));
}

TEST_F(MetafileRecords, NaturalSizeComesFromPlaceableBoxAndEmfFrame) {
  const auto wmf = decodeMetafile(WmfWriter(0, 0, 2000, 1000, 1000).finish(), QStringLiteral("a.wmf"));
  EXPECT_DOUBLE_EQ(wmf->naturalSize().width(), 192);
  EXPECT_DOUBLE_EQ(wmf->naturalSize().height(), 96);
  const auto twips = decodeMetafile(WmfWriter(-720, 0, 720, 2880, 1440).finish(), QStringLiteral("b.wmf"));
  EXPECT_DOUBLE_EQ(twips->naturalSize().width(), 96);
  EXPECT_DOUBLE_EQ(twips->naturalSize().height(), 192);
  const auto emf = decodeMetafile(EmfWriter(0, 0, 5080, 2540).finish(), QStringLiteral("c.emf"));
  EXPECT_NEAR(emf->naturalSize().width(), 192, 0.01);
  EXPECT_NEAR(emf->naturalSize().height(), 96, 0.01);
}

TEST_F(MetafileRecords, ObjectsTakeTheLowestFreeSlot) {
  WmfWriter w(0, 0, 1000, 1000, 1000);
  w.pen(kNullPen, 0, 0).select(0);           // slot 0
  w.brush(0, kGreen, 0).brush(0, kBlue, 0);  // slots 1 and 2
  w.rec(kDeleteObject, {1});
  w.brush(0, kRed, 0).select(1);  // takes slot 1 again
  const QImage image = draw(w.rectangle(0, 0, 1000, 1000).finish());
  EXPECT_TRUE(red(image, 50, 50));
}

TEST_F(MetafileRecords, RestoreDcBringsBackTheSavedBrush) {
  WmfWriter w = square();
  w.rec(kSaveDc, {}).brush(0, kBlue, 0).select(2).rec(kRestoreDc, {0xFFFF});
  EXPECT_TRUE(red(draw(w.rectangle(0, 0, 1000, 1000).finish()), 50, 50));
}

TEST_F(MetafileRecords, PiesRunCounterClockwiseAndFlipWithTheAxis) {
  // From the top to the left of the box: the top left quarter.
  const QImage plain = draw(square().rec(kPie, {500, 0, 0, 500, 1000, 1000, 0, 0}).finish());
  EXPECT_TRUE(red(plain, 25, 25));
  EXPECT_TRUE(white(plain, 75, 25));
  EXPECT_TRUE(white(plain, 75, 75));
  // The same points with y pointing up: the arc now turns the other way round, leaving that quarter.
  const QImage flipped =
      draw(square().window(0, 1000, 1000, -1000).rec(kPie, {500, 0, 1000, 500, 1000, 1000, 0, 0}).finish());
  EXPECT_TRUE(white(flipped, 25, 25));
  EXPECT_TRUE(red(flipped, 75, 25));
  EXPECT_TRUE(red(flipped, 75, 75));
}

TEST_F(MetafileRecords, PolygonFillModes) {
  // Two nested squares drawn the same way round.
  auto nested = [](int mode) {
    WmfWriter w = square();
    w.rec(kSetPolyFillMode, {mode});
    w.rec(kPolyPolygon,
          {2, 4, 4, 100, 100, 900, 100, 900, 900, 100, 900, 300, 300, 700, 300, 700, 700, 300, 700});
    return draw(w.finish());
  };
  const QImage alternate = nested(1), winding = nested(2);
  EXPECT_TRUE(red(alternate, 20, 50));
  EXPECT_TRUE(white(alternate, 50, 50));
  EXPECT_TRUE(red(winding, 50, 50));
}

TEST_F(MetafileRecords, ClipRectanglesIntersectAndExclude) {
  WmfWriter w = square();
  w.rec(kIntersectClip, {1000, 500, 0, 0});   // left half only
  w.rec(kExcludeClip, {600, 400, 400, 100});  // with a hole
  const QImage image = draw(w.rectangle(0, 0, 1000, 1000).finish());
  EXPECT_TRUE(red(image, 25, 80));
  EXPECT_TRUE(white(image, 75, 80));
  EXPECT_TRUE(white(image, 25, 50));
}

TEST_F(MetafileRecords, HatchedBrushLeavesGapsInTheBackgroundColour) {
  auto hatched = [](int bkMode) {
    WmfWriter w = square();
    w.rectangle(0, 0, 1000, 1000);  // red underneath
    w.brush(2, kBlue, 4).select(2).rec(kSetBkMode, {bkMode});
    w.rec(kSetBkColor, {0xFFFF, 0x0000});  // yellow background
    return draw(w.rectangle(0, 0, 1000, 1000).finish(), 200);
  };
  auto count = [](const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 20; y < 180; ++y)
      for (int x = 20; x < 180; ++x) n += near(image.pixel(x, y), colour, 60);
    return n;
  };
  const QImage opaque = hatched(2), transparent = hatched(1);
  EXPECT_GT(count(opaque, Qt::blue), 500);
  EXPECT_GT(count(opaque, Qt::yellow), 500);
  EXPECT_EQ(count(opaque, Qt::red), 0);
  EXPECT_GT(count(transparent, Qt::red), 500);
}

TEST_F(MetafileRecords, HairlinesStayVisibleAtPrinterResolution) {
  WmfWriter w(0, 0, 1000, 1000, 1000);
  w.pen(0, 0, 0).select(0).rec(kMoveTo, {500, 0}).rec(kLineTo, {500, 1000});
  const auto picture = decodeMetafile(w.finish(), QStringLiteral("hairline.wmf"));
  QImage image(1200, 1200, QImage::Format_ARGB32);
  image.setDotsPerMeterX(47244);  // 1200 dpi
  image.setDotsPerMeterY(47244);
  image.fill(Qt::white);
  QPainter painter(&image);
  picture->draw(painter, QRectF(0, 0, 1200, 1200));
  painter.end();
  int dark = 0;
  for (int x = 570; x < 630; ++x) dark += qGray(image.pixel(x, 600)) < 128;
  EXPECT_GE(dark, 8);  // about a screen pixel wide, not one printer dot
}

TEST_F(MetafileRecords, TextIsNeverMirroredByAFlippedAxis) {
  // A big "L" with its top left at logical (100, 900) on a y axis pointing up, and the same on y down.
  auto letter = [&](bool up) {
    WmfWriter w(0, 0, 1000, 1000, 1000);
    if (up) w.window(0, 1000, 1000, -1000);
    w.raw(kCreateFont, font(-700, 0, 0)).select(0).rec(kSetBkMode, {1});
    w.raw(kTextOut, textOut(100, up ? 900 : 100, "L"));
    return draw(w.finish(), 200);
  };
  for (bool up : {false, true}) {
    SCOPED_TRACE(up);
    const QImage image = letter(up);
    const QRect ink = inkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LT(ink.top(), 100);  // near the top of the picture either way
    const QRect topRight(ink.center().x() + 5, ink.top(), ink.right() - ink.center().x() - 5,
                         ink.height() / 3);
    const QRect bottomRight(ink.center().x() + 5, ink.bottom() - ink.height() / 6, topRight.width(),
                            ink.height() / 6);
    EXPECT_EQ(darkIn(image, topRight), 0);
    EXPECT_GT(darkIn(image, bottomRight), 10);
  }
}

TEST_F(MetafileRecords, TextAlignmentAndEscapement) {
  // Centred on x = 500: the ink is spread evenly about the middle.
  WmfWriter w(0, 0, 1000, 1000, 1000);
  w.raw(kCreateFont, font(-200, 0, 0)).select(0).rec(kSetBkMode, {1}).rec(kSetTextAlign, {6 | 24});
  const QImage centred = draw(w.raw(kTextOut, textOut(500, 500, "HHHH")).finish(), 200);
  const QRect ink = inkBox(centred);
  EXPECT_NEAR(ink.center().x(), 100, 3);
  EXPECT_LT(ink.bottom(), 101);  // baseline alignment: the letters stand on y = 500

  // Escapement of 90 degrees: the text runs upwards from its reference point.
  WmfWriter v(0, 0, 1000, 1000, 1000);
  v.raw(kCreateFont, font(-150, 900, 0)).select(0).rec(kSetBkMode, {1}).rec(kSetTextAlign, {24});
  const QRect up = inkBox(draw(v.raw(kTextOut, textOut(500, 900, "HHHHH")).finish(), 200));
  EXPECT_GT(up.height(), 2 * up.width());
  EXPECT_LT(up.bottom(), 182);
}

TEST_F(MetafileRecords, OpaqueTextOptionFillsItsRectangle) {
  WmfWriter w(0, 0, 1000, 1000, 1000);
  w.rec(kSetBkColor, {0x00FF, 0});  // red
  QByteArray params;
  for (int v : {500, 100, 0, 2, 100, 100, 900, 900}) testing_metafile::putU16(params, std::uint16_t(v));
  const QImage image = draw(w.raw(kExtTextOut, params).finish());
  EXPECT_TRUE(red(image, 50, 50));
  EXPECT_TRUE(white(image, 5, 5));
}

TEST_F(MetafileRecords, BitmapsAreDecodedBottomUpIntoTheirPlace) {
  // A 2 × 2 24-bit bitmap: bottom row red, green; top row blue, white; stretched over the right half.
  QByteArray dib;
  for (int v : {40, 2, 2}) testing_metafile::putU32(dib, std::uint32_t(v));
  testing_metafile::putU16(dib, 1);
  testing_metafile::putU16(dib, 24);
  for (int i = 0; i < 6; ++i) testing_metafile::putU32(dib, 0);
  dib.append(QByteArray::fromHex("0000ff00ff000000"));  // red, green, padding
  dib.append(QByteArray::fromHex("ff0000ffffff0000"));  // blue, white, padding
  QByteArray params;
  testing_metafile::putU32(params, 0x00CC0020);  // source copy
  for (int v : {0, 2, 2, 0, 0, 1000, 500, 0, 500}) testing_metafile::putU16(params, std::uint16_t(v));
  params.append(dib);
  const QImage image = draw(WmfWriter(0, 0, 1000, 1000, 1000).raw(kStretchDib, params).finish());
  EXPECT_TRUE(near(image.pixel(60, 75), Qt::red));
  EXPECT_TRUE(near(image.pixel(90, 75), Qt::green));
  EXPECT_TRUE(near(image.pixel(60, 25), Qt::blue));
  EXPECT_TRUE(white(image, 90, 25));
  EXPECT_TRUE(white(image, 25, 50));
}

TEST_F(MetafileRecords, EmfPathsWithBeziersAndWorldTransform) {
  EmfWriter e(0, 0, 26458, 26458);  // 1000 device pixels
  e.rec(39, {1, 0, kRed, 0}).rec(37, {1}).rec(37, {0x80000008});
  // Moved 500 to the right by the world transform.
  e.rec(36, {EmfWriter::floatBits(1), 0, 0, EmfWriter::floatBits(1), EmfWriter::floatBits(500), 0, 2});
  e.rec(59, {});
  e.rec(27, {100, 100});
  e.rec(5, {0, 0, 0, 0, 3, 200, 100, 300, 100, 400, 100});  // a straight Bézier along the top
  e.rec(6, {0, 0, 0, 0, 2, 400, 400, 100, 400});            // down and back
  e.rec(61, {}).rec(60, {}).rec(62, {0, 0, 0, 0});
  const QImage image = render(*decodeMetafile(e.finish(), QStringLiteral("p.emf")), 100, 100);
  EXPECT_TRUE(red(image, 75, 25));
  EXPECT_TRUE(white(image, 25, 25));
}

TEST_F(MetafileRecords, EmfWithOnlyEmfPlusRecordsIsRefused) {
  EmfWriter e(0, 0, 1000, 1000);
  e.rec(70, {16, 0x2B464D45, 0x00014001, 28, 16});
  const EnglishMessages english;
  try {
    decodeMetafile(e.finish(), QStringLiteral("plus.emf"));
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot read picture \"plus.emf\": ")));
    EXPECT_TRUE(error.message().contains(QStringLiteral("EMF+")));
  }
}

TEST(MetafileCodePages, EightBitTextFollowsTheFontCharacterSet) {
  EXPECT_EQ(metafile::decodeCharset("\xa3\xf3\x64\x9f", 238), QStringLiteral("Łódź"));
  EXPECT_EQ(metafile::decodeCharset("\xc0\xe1", 204), QStringLiteral("Аб"));
  EXPECT_EQ(metafile::decodeCharset("caf\xe9 \x80", 0), QStringLiteral("café €"));
}

}  // namespace
}  // namespace orvella
