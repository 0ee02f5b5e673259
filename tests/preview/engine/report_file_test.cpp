// Report files: what is saved comes back whole and draws alike; damaged and foreign files are refused.
#include <gtest/gtest.h>
#include <zlib.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/errors/error.h"
#include "preview/engine/report_file.h"
#include "preview/sinks/page_sink.h"
#include "tests/preview/engine/sample_pages.h"

namespace orvella::report {
namespace {

// Report files are written by the report sink, as the preview's Save Report writes them.
void saveThroughSink(const QString& path, const std::vector<page::GeneratedPage>& pages) {
  const auto sink = sinks::sinkFormat(QStringLiteral("qrp"))->open(path, {});
  for (const page::GeneratedPage& page : pages) sink->add(page, {});
  sink->commit();
}

using testing::renderAt;
using testing::samplePage;

QString damagedMessage(const QString& name) {
  return formatMessage(messageText(messages::msg_NotAReport), name);
}

// The message decodeReport raises, or an empty string when it accepts the bytes.
QString refusal(const QByteArray& bytes) {
  try {
    decodeReport(bytes, QStringLiteral("x.QRP"));
  } catch (const Error& error) {
    return error.message();
  }
  return QString();
}

// Replaces the trailing checksum so that a test reaches the checks behind it.
QByteArray withChecksum(QByteArray bytes) {
  bytes.chop(4);
  const uLong sum = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.constData()),
                          static_cast<uInt>(bytes.size()));
  for (int shift = 0; shift < 32; shift += 8) bytes.append(static_cast<char>((sum >> shift) & 0xFF));
  return bytes;
}

void putU32(QByteArray& bytes, qsizetype at, quint32 value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

class ReportFileTest : public ::testing::Test {
 protected:
  std::vector<page::GeneratedPage> pages{samplePage(), samplePage(QStringLiteral("Luty"))};
};

TEST_F(ReportFileTest, RoundTripKeepsEveryPageElementAndPictureByte) {
  pages[1].settings.title = QStringLiteral("Kalendarz ż");
  pages[1].settings.copies = 3;
  pages[1].settings.firstPage = 1;
  pages[1].settings.lastPage = 2;
  pages[1].settings.printPaper = {QSizeF(279.4, 215.9), QMarginsF(4.2, 3, 4.2, 5)};
  pages[1].elements[3].font.italic = true;
  pages[1].elements[3].font.charset = 238;
  for (page::Element& e : pages[1].elements)
    if (e.kind == page::ElementKind::Image) e.crop = QRectF(1.5, 2, 30.25, 20);

  const auto loaded = decodeReport(encodeReport(pages), QStringLiteral("a.QRP"));

  ASSERT_EQ(loaded.size(), pages.size());
  for (size_t p = 0; p < pages.size(); ++p) {
    EXPECT_EQ(loaded[p].settings, pages[p].settings);
    ASSERT_EQ(loaded[p].bands.size(), pages[p].bands.size());
    ASSERT_EQ(loaded[p].elements.size(), pages[p].elements.size());
    for (size_t i = 0; i < pages[p].elements.size(); ++i) {
      const page::Element& a = pages[p].elements[i];
      const page::Element& b = loaded[p].elements[i];
      EXPECT_EQ(b.name, a.name);
      EXPECT_EQ(b.kind, a.kind);
      EXPECT_EQ(QRect(b.left, b.top, b.width, b.height), QRect(a.left, a.top, a.width, a.height));
      EXPECT_EQ(b.caption, a.caption);
      EXPECT_EQ(b.font, a.font);
      EXPECT_EQ(b.tag, a.tag);
      EXPECT_EQ(b.alignment, a.alignment);
      EXPECT_EQ(b.transparent, a.transparent);
      EXPECT_EQ(b.wordWrap, a.wordWrap);
      EXPECT_EQ(b.stretch, a.stretch);
      EXPECT_EQ(b.crop, a.crop);
      EXPECT_EQ(b.fillColor, a.fillColor);
      EXPECT_EQ(b.frame.top, a.frame.top);
      EXPECT_EQ(b.frame.right, a.frame.right);
      // Pictures come back as their original bytes, never re-encoded.
      EXPECT_EQ(b.picture.bytes(), a.picture.bytes());
      EXPECT_EQ(b.picture.fileName(), a.picture.fileName());
    }
  }
}

TEST_F(ReportFileTest, PictureSharedByPagesIsStoredOnce) {
  const QByteArray big = testing::gradientBmp(300, 200);
  const Picture shared = Picture::fromBytes(big, QStringLiteral("shared.bmp"));
  for (auto& page : pages) page.elements[0].picture = shared;
  const QByteArray file = encodeReport(pages);
  EXPECT_LT(file.size(), 2 * big.size());
  EXPECT_TRUE(file.contains(big));
}

TEST_F(ReportFileTest, LoadedPageDrawsPixelForPixelAsTheGeneratedOne) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("month.QRP"));
  saveThroughSink(path, pages);
  const auto loaded = loadReportFile(path);
  ASSERT_EQ(loaded.size(), 2u);
  for (int zoom : {50, 100, 173}) {
    EXPECT_TRUE(testing::sameImages(renderAt(pages[0], zoom), renderAt(loaded[0], zoom),
                                    QStringLiteral("report-roundtrip-%1").arg(zoom)))
        << "zoom " << zoom;
  }

  // A Windows metafile stays vector through the file: it draws alike at every zoom.
  QFile metafile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/images/band_music.wmf"));
  if (metafile.open(QIODevice::ReadOnly)) {
    try {
      pages[0].elements[4].picture = Picture::fromBytes(metafile.readAll(), QStringLiteral("band_music.wmf"));
      pages[0].elements[4].stretch = true;
    } catch (const Error&) {
      // A build without the metafile player refuses metafiles; the bitmap stays.
    }
  }
  const QString withMetafile = folder.filePath(QStringLiteral("metafile.QRP"));
  saveThroughSink(withMetafile, pages);
  const auto reloaded = loadReportFile(withMetafile);
  EXPECT_EQ(reloaded[0].elements[4].picture.bytes(), pages[0].elements[4].picture.bytes());
  for (int zoom : {50, 100, 173, 400}) {
    EXPECT_TRUE(testing::sameImages(renderAt(pages[0], zoom), renderAt(reloaded[0], zoom),
                                    QStringLiteral("report-metafile-%1").arg(zoom)))
        << "zoom " << zoom;
  }
}

TEST_F(ReportFileTest, FilesSavedEarlierStayReadable) {
  // Saved by the first version of the format; later versions must keep reading it.
  const auto stored = loadReportFile(QStringLiteral(ORVELLA_TEST_DATA "/report/calendar_page.QRP"));
  ASSERT_EQ(stored.size(), 1u);
  ASSERT_EQ(stored[0].elements.size(), 9u);
  EXPECT_EQ(stored[0].elements[5].caption, QStringLiteral("Styczeń"));
  EXPECT_EQ(stored[0].elements[0].picture.fileName(), QStringLiteral("bg.bmp"));
  EXPECT_EQ(stored[0].settings.title, QStringLiteral(" b"));
  EXPECT_EQ(loadReportFile(QStringLiteral(ORVELLA_TEST_DATA "/report/two_pages.QRP")).size(), 2u);
}

TEST_F(ReportFileTest, MissingFileSaysSo) {
  QTemporaryDir folder;
  try {
    loadReportFile(folder.filePath(QStringLiteral("none.QRP")));
    FAIL() << "a missing file was loaded";
  } catch (const Error& error) {
    EXPECT_EQ(error.message(), QStringLiteral("File does not exist"));
  }
}

TEST_F(ReportFileTest, SavingIntoAnUnwritablePlaceRaisesAndLeavesNoFile) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("no/such/folder/a.QRP"));
  EXPECT_THROW(saveThroughSink(path, pages), Error);
  EXPECT_FALSE(QFile::exists(path));
}

class DamagedReportTest : public ::testing::Test {
 protected:
  QByteArray good = encodeReport({samplePage()});
};

TEST_F(DamagedReportTest, EveryTruncationIsRefusedWithTheMessage) {
  const QString expected = damagedMessage(QStringLiteral("x.QRP"));
  for (qsizetype length = 0; length < good.size(); ++length)
    ASSERT_EQ(refusal(good.left(length)), expected) << "length " << length;
  EXPECT_EQ(refusal(good + QByteArray(1, '\0')), expected) << "trailing byte";
}

TEST_F(DamagedReportTest, EveryFlippedByteIsRefused) {
  for (qsizetype at = 0; at < good.size(); at += 7) {
    QByteArray bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x5A);
    ASSERT_FALSE(refusal(bad).isEmpty()) << "offset " << at;
  }
}

TEST_F(DamagedReportTest, AbsurdCountsAndLengthsAreRefusedBeforeAllocating) {
  // Header: 8 magic, 2 version, 2 reserved; then the picture count.
  constexpr qsizetype kPictureCount = 12;
  constexpr qsizetype kFirstNameLength = 16;
  for (quint32 absurd : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x10000000u}) {
    QByteArray bad = good;
    putU32(bad, kPictureCount, absurd);
    EXPECT_EQ(refusal(withChecksum(bad)), damagedMessage(QStringLiteral("x.QRP")));
    bad = good;
    putU32(bad, kFirstNameLength, absurd);
    EXPECT_EQ(refusal(withChecksum(bad)), damagedMessage(QStringLiteral("x.QRP")));
  }
  // The page count sits right after the pictures; the element counts after each page's settings.
  const QByteArray empty = encodeReport({page::GeneratedPage{}});
  QByteArray bad = empty;
  putU32(bad, 16, 0xFFFFFFFFu);
  EXPECT_FALSE(refusal(withChecksum(bad)).isEmpty());
  bad = empty;
  putU32(bad, bad.size() - 8, 0x40000000u);  // the last element count
  EXPECT_FALSE(refusal(withChecksum(bad)).isEmpty());
}

TEST_F(DamagedReportTest, ValuesNoPageCanHoldAreRefused) {
  page::GeneratedPage one;
  page::Element label;
  label.caption = QStringLiteral("x");
  one.elements.push_back(label);
  const QByteArray file = encodeReport({one});
  const qsizetype elementAt = file.size() - 4 - 73 - 6;  // the element, its caption and font name before
  ASSERT_EQ(static_cast<quint8>(file[elementAt]), 0u);   // a label's kind
  QByteArray bad = file;
  bad[elementAt] = 9;  // no such kind
  EXPECT_FALSE(refusal(withChecksum(bad)).isEmpty());

  // Paper of no size, and a font of 0 points.
  page::GeneratedPage tiny;
  tiny.settings.paperWidthMm = 0;
  EXPECT_FALSE(refusal(encodeReport({tiny})).isEmpty());
  one.elements[0].font.size = 0;
  EXPECT_FALSE(refusal(encodeReport({one})).isEmpty());
}

TEST_F(DamagedReportTest, ReportWithoutPagesIsRefused) {
  // Every report has a page; a file of none would leave the preview showing nothing it could print.
  EXPECT_EQ(refusal(encodeReport({})), damagedMessage(QStringLiteral("x.QRP")));
  try {
    loadReportFile(QStringLiteral(ORVELLA_TEST_DATA "/report/empty.QRP"));
    ADD_FAILURE() << "a report without pages was loaded";
  } catch (const Error& error) {
    EXPECT_EQ(error.message(), damagedMessage(QStringLiteral("empty.QRP")));
  }
}

// A page of n labels with short captions.
page::GeneratedPage labelsPage(int count) {
  page::GeneratedPage page;
  page::Element label;
  label.caption = QStringLiteral("1");
  page.elements.assign(static_cast<size_t>(count), label);
  return page;
}

TEST_F(DamagedReportTest, CountsAndSizesBeyondAnyReportAreRefused) {
  const QString expected = damagedMessage(QStringLiteral("x.QRP"));

  // Pages: a thousand at most.
  EXPECT_EQ(
      decodeReport(encodeReport(std::vector<page::GeneratedPage>(1000)), QStringLiteral("x.QRP")).size(),
      1000u);
  EXPECT_EQ(refusal(encodeReport(std::vector<page::GeneratedPage>(1001))), expected);

  // Elements: twenty thousand on a page at most, bands counted with them; each page has its own.
  page::GeneratedPage full = labelsPage(20000);
  EXPECT_TRUE(refusal(encodeReport({full, full})).isEmpty());
  page::GeneratedPage over = labelsPage(19999);
  over.bands.resize(2);
  EXPECT_EQ(refusal(encodeReport({over})), expected);
  EXPECT_EQ(refusal(encodeReport({labelsPage(20001)})), expected);

  // A caption: 64 KiB of UTF-8 at most.
  page::GeneratedPage caption = labelsPage(1);
  caption.elements[0].caption = QString(64 * 1024, QLatin1Char('x'));
  EXPECT_TRUE(refusal(encodeReport({caption})).isEmpty());
  caption.elements[0].caption = QString(32 * 1024, QChar(0x17C)) + QLatin1Char('x');  // two bytes each
  EXPECT_EQ(refusal(encodeReport({caption})), expected);

  // The file: 256 MiB at most, refused before a byte of it is read.
  QTemporaryDir folder;
  const QString huge = folder.filePath(QStringLiteral("huge.QRP"));
  {
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encodeReport({samplePage()}));
    ASSERT_TRUE(file.resize((qint64(256) << 20) + 1));  // sparse: takes no room on the disk
  }
  try {
    loadReportFile(huge);
    ADD_FAILURE() << "a file of over 256 MiB was loaded";
  } catch (const Error& error) {
    EXPECT_EQ(error.message(), damagedMessage(QStringLiteral("huge.QRP")));
  }
}

TEST_F(DamagedReportTest, ForeignFilesAndNewerVersionsAreNamed) {
  EXPECT_EQ(refusal(QByteArray("PK\x03\x04 an archive of another kind")),
            damagedMessage(QStringLiteral("x.QRP")));
  EXPECT_EQ(refusal(QByteArray()), damagedMessage(QStringLiteral("x.QRP")));
  QByteArray newer = good;
  newer[8] = 3;
  EXPECT_EQ(refusal(newer),
            formatMessage(messageText(messages::msg_NewerReport), QStringLiteral("x.QRP")));
}

TEST_F(DamagedReportTest, PictureThatDoesNotDecodeMakesTheFileDamaged) {
  page::GeneratedPage page = samplePage();
  page.elements[0].picture = Picture::fromBytes(testing::gradientBmp(4, 4), QStringLiteral("small.bmp"));
  QByteArray file = encodeReport({page});
  EXPECT_TRUE(refusal(file).isEmpty());
  const QByteArray bmp = testing::gradientBmp(4, 4);
  const qsizetype at = file.indexOf(bmp);
  ASSERT_GT(at, 0);
  for (qsizetype i = 14; i < 30; ++i) file[at + i] = '\xFF';  // the info header's sizes
  EXPECT_EQ(refusal(withChecksum(file)), damagedMessage(QStringLiteral("x.QRP")));
}

}  // namespace
}  // namespace orvella::report
