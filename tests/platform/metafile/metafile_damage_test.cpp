// Damaged and hostile metafiles give the loader's error, never a crash or an unbounded allocation.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <array>

#include "benchmarks/support/process_memory.h"
#include "platform/errors/error.h"
#include "tests/platform/metafile/metafile_writer.h"
#include "tests/support/english_messages.h"

namespace orvella {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

using testing_metafile::EmfWriter;
using testing_metafile::putU16;
using testing_metafile::putU32;
using testing_metafile::render;
using testing_metafile::WmfWriter;

class DamagedMetafiles : public testing::Test {
 protected:
  const EnglishMessages english_;  // the words the tests look for

  // Either the decoder refuses with the loader's message naming the file, or the picture draws.
  static bool refused(const QByteArray& bytes) {
    try {
      const auto picture = decodeMetafile(bytes, QStringLiteral("bad.wmf"));
      render(*picture, 24, 24);
      return false;
    } catch (const Error& error) {
      EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot read picture \"bad.wmf\": ")))
          << error.what();
      return true;
    }
  }
  static QByteArray sample(const char* name) {
    QFile file(QStringLiteral(ORVELLA_TEST_DATA "/metafile/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static QByteArray stretchDib(const QByteArray& dib) {
    QByteArray params;
    putU32(params, 0x00CC0020);
    for (int v : {0, 2, 2, 0, 0, 100, 100, 0, 0}) putU16(params, std::uint16_t(v));
    return WmfWriter(0, 0, 100, 100, 1000).raw(0x0F43, params + dib).finish();
  }
  // A WMF font record: em height, width, weight 400, a face; then a text with it.
  static QByteArray fontAndText(int height, int width, const QByteArray& text) {
    QByteArray f;
    for (int v : {height, width, 0, 0, 400}) putU16(f, std::uint16_t(v));
    f.append(QByteArray(8, '\0')).append("DejaVu Sans").append(QByteArray(32 - 11, '\0'));
    QByteArray t;
    putU16(t, std::uint16_t(text.size()));
    t.append(text);
    if (text.size() % 2) t.append('\0');
    for (int v : {10, 10}) putU16(t, std::uint16_t(v));
    return WmfWriter(0, 0, 100, 100, 1000).raw(0x02FB, f).select(0).raw(0x0521, t).finish();
  }
  static QByteArray dibHeader(std::int32_t width, std::int32_t height, int bits, int compression) {
    QByteArray dib;
    putU32(dib, 40);
    putU32(dib, std::uint32_t(width));
    putU32(dib, std::uint32_t(height));
    putU16(dib, 1);
    putU16(dib, std::uint16_t(bits));
    putU32(dib, std::uint32_t(compression));
    for (int i = 0; i < 5; ++i) putU32(dib, 0);
    return dib;
  }
};

TEST_F(DamagedMetafiles, EveryTruncationOfEverySampleIsRefused) {
  const QDir folder(QStringLiteral(ORVELLA_TEST_DATA "/metafile"));
  const QStringList names = folder.entryList({QStringLiteral("*.wmf"), QStringLiteral("*.emf")}, QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray whole = sample(name.toLatin1().constData());
    ASSERT_FALSE(whole.isEmpty());
    EXPECT_FALSE(refused(whole));
    // The end-of-file record is the last one each writer puts down, so any shorter file lacks it.
    for (qsizetype length = 0; length < whole.size() - 6; ++length)
      ASSERT_TRUE(refused(whole.left(length))) << "length " << length;
  }
}

TEST_F(DamagedMetafiles, WrongRecordSizes) {
  // A record claiming to run past the end of the file, and a record of less than its own header.
  QByteArray past = WmfWriter(0, 0, 100, 100, 1000).rectangle(0, 0, 10, 10).finish();
  past[22 + 18] = char(0x70);
  EXPECT_TRUE(refused(past));
  QByteArray zero = WmfWriter(0, 0, 100, 100, 1000).rectangle(0, 0, 10, 10).finish();
  zero[22 + 18] = 0;
  EXPECT_TRUE(refused(zero));
  // EMF: a record size below eight bytes, and one beyond the file.
  QByteArray emf = EmfWriter(0, 0, 1000, 1000).rec(43, {0, 0, 10, 10}).finish();
  QByteArray small = emf;
  small[108 + 4] = 4;
  EXPECT_TRUE(refused(small));
  QByteArray big = emf;
  big[108 + 6] = 0x10;
  EXPECT_TRUE(refused(big));
  // A record too short for its own fixed fields.
  EXPECT_TRUE(refused(WmfWriter(0, 0, 100, 100, 1000).rec(0x041B, {1, 2}).finish()));
  EXPECT_TRUE(refused(EmfWriter(0, 0, 1000, 1000).rec(42, {1, 2}).finish()));
}

TEST_F(DamagedMetafiles, AbsurdCounts) {
  // Point counts beyond the record, including ones whose byte size overflows 32 bits.
  EXPECT_TRUE(refused(WmfWriter(0, 0, 100, 100, 1000).rec(0x0324, {0xFFFF, 1, 1}).finish()));
  EXPECT_TRUE(refused(WmfWriter(0, 0, 100, 100, 1000).rec(0x0538, {3, 0xFFFF, 0xFFFF, 0xFFFF}).finish()));
  EXPECT_TRUE(refused(EmfWriter(0, 0, 1000, 1000).rec(3, {0, 0, 0, 0, 0x20000001, 1, 1}).finish()));
  EXPECT_TRUE(
      refused(EmfWriter(0, 0, 1000, 1000).rec(8, {0, 0, 0, 0, 2, 4, 0x7FFFFFFF, 0xFFFFFFFF}).finish()));
  EXPECT_TRUE(refused(EmfWriter(0, 0, 1000, 1000)
                          .rec(84, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0x7FFFFFFF, 76, 0, 0, 0, 0, 0, 0})
                          .finish()));
  // A text whose string lies outside its record.
  EXPECT_TRUE(refused(WmfWriter(0, 0, 100, 100, 1000).rec(0x0521, {500, 0x4141}).finish()));
}

TEST_F(DamagedMetafiles, AbsurdBitmaps) {
  EXPECT_TRUE(refused(stretchDib(dibHeader(0x7FFFFFFF, 0x7FFFFFFF, 24, 0))));
  EXPECT_TRUE(refused(stretchDib(dibHeader(100000, 100000, 1, 0))));
  EXPECT_TRUE(refused(stretchDib(dibHeader(-5, 10, 24, 0))));
  EXPECT_TRUE(refused(stretchDib(dibHeader(16, 16, 24, 0))));  // no pixel data
  EXPECT_TRUE(refused(stretchDib(dibHeader(4, 4, 7, 0))));     // no such depth
  EXPECT_TRUE(refused(stretchDib(dibHeader(4, 4, 24, 1))));    // run lengths on 24 bits
  QByteArray header = dibHeader(4, 4, 24, 0);
  header[0] = char(200);  // header larger than the record
  EXPECT_TRUE(refused(stretchDib(header)));
  // EMF bitmap offsets that point outside the record.
  EXPECT_TRUE(
      refused(EmfWriter(0, 0, 1000, 1000)
                  .rec(81, {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 0x7FFFFFF0, 40, 80, 12, 0, 0x00CC0020, 10, 10})
                  .finish()));
}

TEST_F(DamagedMetafiles, RunLengthBitmapsStayInsideTheirPixels) {
  // Runs, deltas and absolute runs that reach beyond the 4 × 4 bitmap, and data that stops early.
  QByteArray dib = dibHeader(4, 4, 8, 1);
  for (int i = 0; i < 256; ++i) putU32(dib, 0x00FF0000);
  const QByteArray runs = QByteArray::fromHex(
      "ff01"
      "0002ffff"
      "00fe"
      "0000ff02"
      "000201");
  EXPECT_FALSE(refused(stretchDib(dib + runs)));
  QByteArray four = dibHeader(5, 3, 4, 2);
  for (int i = 0; i < 16; ++i) putU32(four, 0x000000FF);
  EXPECT_FALSE(refused(stretchDib(four + QByteArray::fromHex("0912"
                                                             "0009123456789a"
                                                             "00"))));
}

TEST_F(DamagedMetafiles, NotAMetafileAtAll) {
  EXPECT_TRUE(refused(QByteArray()));
  EXPECT_TRUE(refused(QByteArray("GIF89a this is not a metafile")));
  EXPECT_TRUE(refused(QByteArray::fromHex("d7cdc69a0000")));
  // A placeable header with an empty box.
  EXPECT_TRUE(refused(WmfWriter(10, 10, 10, 50, 1000).finish()));
  // Missing the end-of-file record.
  QByteArray noEnd = WmfWriter(0, 0, 100, 100, 1000).rectangle(0, 0, 10, 10).finish();
  noEnd.chop(6);
  EXPECT_TRUE(refused(noEnd));
}

TEST_F(DamagedMetafiles, HostileStateRecordsDrawWithoutHarm) {
  // Zero and huge extents, endless saves and restores, unknown objects and stock indices.
  WmfWriter w(0, 0, 1000, 1000, 1000);
  w.rec(0x020C, {0, 0}).rec(0x020E, {1, 1}).rec(0x0410, {0, 0, 0, 0}).rec(0x0410, {1, 32767, 1, 32767});
  for (int i = 0; i < 3000; ++i) w.rec(0x001E, {});
  w.rec(0x0127, {0x8000}).rec(0x0127, {20000}).rec(0x012D, {60000}).rec(0x01F0, {60000});
  w.brush(0, 0xFF, 0).select(0).rectangle(-32768, -32768, 32767, 32767);
  w.rec(0x081A, {0, 0, 0, 0, 32767, 32767, -32768, -32768});
  EXPECT_FALSE(refused(w.finish()));
  EmfWriter e(0, 0, 1000, 1000);
  const std::uint32_t nan = 0x7FC00000;
  e.rec(35, {nan, 0, 0, nan, 0, 0}).rec(36, {0x7F7FFFFF, 0, 0, 0x7F7FFFFF, 0, 0, 2});
  e.rec(37, {0x80000000u | 99}).rec(34, {-5}).rec(75, {0, 5});
  e.rec(43, {-2147483647, -2147483647, 2147483647, 2147483647});
  EXPECT_FALSE(refused(e.finish()));
}

// Sizes that reach Qt from a file (a font's height, width and stretch, a pen's width) are bounded:
// however large the file says they are, drawing a picture onto a page takes less memory than a page
// image at 600 dpi.
TEST_F(DamagedMetafiles, HugeSizesFromTheFileStayWithinAPagesWorthOfMemory) {
  if (kAddressSanitizer)
    GTEST_SKIP() << "the address sanitizer keeps freed memory resident: sizes are not the program's";
  if (!bench::resetPeak()) GTEST_SKIP() << "the peak resident size cannot be reset here";
  const std::int64_t pageAt600Dpi = std::int64_t(7016) * 4961 * 4;
  WmfWriter widePen(0, 0, 100, 100, 1000);
  widePen.pen(0, 32767, 0x0000FF).select(0).rec(0x0325, {3, 10, 10, 90, 90, 10, 90});
  const std::pair<const char*, QByteArray> pictures[] = {
      {"an EMF font of height 65496 and width 16776960", sample("found/huge_stretched_font.emf")},
      {"a WMF font stretched 300 times", fontAndText(-90, 32767, "WWW")},
      {"a WMF font of the largest height", fontAndText(-32768, 0, "WWW")},
      {"a pen 32767 units wide", widePen.finish()},
  };
  QImage page(1754, 1240, QImage::Format_RGB32);  // A4 at 150 dpi
  for (const auto& [what, bytes] : pictures) {
    const auto picture = decodeMetafile(bytes, QStringLiteral("huge.emf"));
    // As large as the page, as a holiday icon, and as small as a thumbnail.
    for (const QRectF box : {QRectF(0, 0, 1754, 1240), QRectF(100, 100, 40, 40), QRectF(8, 8, 16, 12)}) {
      bench::resetPeak();
      const long before = bench::statusKilobytes("VmRSS:");
      page.fill(Qt::white);
      QPainter painter(&page);
      picture->draw(painter, box);
      painter.end();
      const std::int64_t growth = std::int64_t(bench::statusKilobytes("VmHWM:") - before) * 1024;
      EXPECT_LT(growth, pageAt600Dpi) << what << " in a box " << box.width() << " wide";
    }
  }
}

// Rectangles from a file are checked in 64-bit arithmetic: a bitmap's source at x 2147483647, 8 wide,
// must not overflow on its way into Qt (the undefined-behaviour sanitizer stops at such an overflow).
TEST_F(DamagedMetafiles, RectanglesBeyondTheIntegerRangeDrawWithoutOverflow) {
  EXPECT_FALSE(refused(sample("found/bitmap_rectangle_overflow.emf")));
  // A 2 × 2 bitmap stretched onto the picture from a source rectangle given by the file.
  auto stretchFrom = [](std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    QByteArray body;
    for (std::int64_t v :
         {std::int64_t(0), std::int64_t(0), std::int64_t(100), std::int64_t(100), std::int64_t(0),
          std::int64_t(0), x, y, w, h, std::int64_t(80), std::int64_t(40), std::int64_t(120),
          std::int64_t(16), std::int64_t(0), std::int64_t(0x00CC0020), std::int64_t(100), std::int64_t(100)})
      putU32(body, std::uint32_t(v));
    body += dibHeader(2, 2, 24, 0) + QByteArray(16, '\x40');
    return EmfWriter(0, 0, 1000, 1000).raw(81, body).finish();
  };
  const std::int64_t most = 2147483647, least = -most - 1;
  for (const auto& [x, y, w, h] : {std::array<std::int64_t, 4>{most, 0, 8, 2},
                                   {0, most, 2, 8},
                                   {least, least, -1, -1},
                                   {most - 1, most - 1, most, most},
                                   {least, 0, least, 2}})
    EXPECT_FALSE(refused(stretchFrom(x, y, w, h))) << x << " " << y << " " << w << " " << h;
}

TEST_F(DamagedMetafiles, ManyClipPiecesStayManageable) {
  // Thousands of holes cut into the clip, and a clip region of many thousand rectangles.
  WmfWriter w(0, 0, 10000, 10000, 1000);
  for (int i = 0; i < 3000; ++i)
    w.rec(0x0415, {(i % 100) * 100 + 50, (i / 100) * 300 + 50, (i % 100) * 100, (i / 100) * 300});
  w.brush(0, 0xFF, 0).select(0).rectangle(0, 0, 10000, 10000);
  EXPECT_FALSE(refused(w.finish()));
  EmfWriter e(0, 0, 1000, 1000);
  QByteArray region;
  const int count = 20000;
  putU32(region, 32 + 16 * count);
  putU32(region, 5);
  for (int v : {32, 1, count, 16 * count, 0, 0, 100, 100}) putU32(region, std::uint32_t(v));
  for (int i = 0; i < count; ++i)
    for (int v : {i % 100, i / 200, i % 100 + 1, i / 200 + 1}) putU32(region, std::uint32_t(v));
  EXPECT_FALSE(refused(e.raw(75, region).rec(43, {0, 0, 100, 100}).finish()));
}

}  // namespace
}  // namespace orvella
