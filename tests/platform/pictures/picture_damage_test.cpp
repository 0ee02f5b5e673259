// Files that are missing, damaged or hostile: the loader's error names the file, and nothing crashes.
#include <gtest/gtest.h>

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <jpeglib.h>
#include <sys/stat.h>

#include <vector>

#include "picture_test_support.h"
#include "i18n/language/language_file.h"
#include "i18n/language/language_messages.h"
#include "platform/errors/error.h"
#include "platform/errors/message_texts.h"
#include "platform/pictures/jpeg_decoder.h"
#include "tests/support/english_messages.h"
#include "tests/support/files.h"

namespace orvella {
namespace {

using test::sample;
using test::sampleBytes;

// A valid progressive grey JPEG whose scan script refines every coefficient bit by bit: hundreds of
// scans, each of which makes the decoder pass over the whole picture.
QByteArray manyScanJpeg(int side, int* scans) {
  std::vector<jpeg_scan_info> script;
  script.push_back({1, {0}, 0, 0, 0, 0});  // DC
  for (int k = 1; k <= 63; ++k) {
    script.push_back({1, {0}, k, k, 0, 10});
    for (int al = 9; al >= 0; --al) script.push_back({1, {0}, k, k, al + 1, al});
  }
  *scans = int(script.size());
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&cinfo, &out, &outSize);
  cinfo.image_width = JDIMENSION(side);
  cinfo.image_height = JDIMENSION(side);
  cinfo.input_components = 1;
  cinfo.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&cinfo);
  cinfo.scan_info = script.data();
  cinfo.num_scans = int(script.size());
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(std::size_t(side), 90);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
  jpeg_destroy_compress(&cinfo);
  free(out);
  return bytes;
}

class DamagedPictures : public ::testing::Test {
 protected:
  // Loads path and returns the error message; fails the test when no orvella::Error comes.
  static QString loadError(const QString& path) {
    try {
      Picture::load(path);
    } catch (const Error& e) {
      return e.message();
    }
    ADD_FAILURE() << "no error for " << path.toStdString();
    return {};
  }

  // A file of these bytes in the test's folder.
  QString writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(testing::writeFile(path, bytes));
    return path;
  }

  static void expectNamesFileAndReason(const QString& message, const QString& path, const char* reason) {
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot read picture \"%1\": ").arg(path)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QLatin1String(reason))) << message.toStdString();
  }

  QTemporaryDir dir_;
  const EnglishMessages english_;  // the words these tests look for
};

// Whatever the decoder that refuses, the message opens with the same words, in the applied language
// (Polish when none is), and then gives the reason.
TEST_F(DamagedPictures, TheMessageOpensInTheAppliedLanguage) {
  const QString raster = writeFile("notes.bmp", "BM but no bitmap");
  const QString metafile = writeFile("notes.wmf", "no metafile either");
  const QString percent = writeFile("100%1.jpg", "not a JPEG");
  setMessageTextSource({});
  EXPECT_TRUE(loadError(raster).startsWith(QStringLiteral("Nie można odczytać obrazu „%1”: ").arg(raster)));
  EXPECT_TRUE(loadError(metafile).startsWith(QStringLiteral("Nie można odczytać obrazu „%1”: ").arg(metafile)));
  useMessagesOf(std::make_shared<const LanguageFile>(QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/espanol.lng")));
  for (const QString& path : {raster, metafile, percent}) {
    const QString message = loadError(path);
    EXPECT_TRUE(message.startsWith(QStringLiteral("No se puede leer la imagen «") + path + QStringLiteral("»: ")))
        << message.toStdString();
    EXPECT_FALSE(message.endsWith(QStringLiteral(": "))) << message.toStdString();  // a reason follows
  }
}

TEST_F(DamagedPictures, MissingFileIsToldApartFromADamagedOne) {
  const QString missing = dir_.filePath("nowhere.jpg");
  expectNamesFileAndReason(loadError(missing), missing, "does not exist");
  expectNamesFileAndReason(loadError(dir_.path()), dir_.path(), "folder");
  const QString empty = writeFile("empty.bmp", {});
  expectNamesFileAndReason(loadError(empty), empty, "empty");
  const QString text = writeFile("notes.txt", "just some text");
  expectNamesFileAndReason(loadError(text), text, "unknown picture format");
}

// A theme names its pictures by any path: a device or a pipe there is refused before it is read, so
// that it can neither block the program nor fill its memory.
TEST_F(DamagedPictures, ADeviceOrAPipeIsNoPicture) {
  const QString pipe = dir_.filePath("pipe.jpg");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
  for (const QString& path : {QStringLiteral("/dev/zero"), pipe})
    expectNamesFileAndReason(loadError(path), path, "no regular file");
}

TEST_F(DamagedPictures, SampleFilesThatLie) {
  expectNamesFileAndReason(loadError(sample("truncated.jpg")), sample("truncated.jpg"), "truncated");
  expectNamesFileAndReason(loadError(sample("absurd_size.bmp")), sample("absurd_size.bmp"), "too large");
  expectNamesFileAndReason(loadError(sample("lying_directory.ico")), sample("lying_directory.ico"),
                           "names no image");
}

TEST_F(DamagedPictures, JpegHeaderClaimingAnAbsurdSize) {
  QByteArray jpeg = sampleBytes("quadrants.jpg");
  const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
  ASSERT_GT(sof, 0);
  qToBigEndian<quint16>(65000, jpeg.data() + sof + 5);  // height
  qToBigEndian<quint16>(65000, jpeg.data() + sof + 7);  // width
  const QString path = writeFile("huge.jpg", jpeg);
  expectNamesFileAndReason(loadError(path), path, "too large");
}

TEST_F(DamagedPictures, JpegWithADamagedHeaderOrBody) {
  QByteArray noFrame = sampleBytes("quadrants.jpg");
  const qsizetype sof = noFrame.indexOf(QByteArray("\xFF\xC0", 2));
  noFrame[sof + 1] = char(0xCF);  // an unsupported frame type (arithmetic lossless)
  const QString path = writeFile("bad.jpg", noFrame);
  expectNamesFileAndReason(loadError(path), path, "damaged JPEG data");

  // A body of garbage between a good header and the end marker: loads, and drawing never throws.
  QByteArray garbled = sampleBytes("quadrants.jpg");
  const qsizetype sos = garbled.indexOf(QByteArray("\xFF\xDA", 2));
  for (qsizetype i = sos + 14; i < garbled.size() - 2; ++i) garbled[i] = char(0xFF);
  const Picture picture = Picture::fromBytes(garbled, "garbled.jpg");
  EXPECT_NO_THROW(test::render(picture, QSize(40, 30), QRectF(0, 0, 40, 30)));
}

TEST_F(DamagedPictures, ProgressiveJpegWithHundredsOfScansIsRefused) {
  int scans = 0;
  const QByteArray bomb = manyScanJpeg(64, &scans);
  ASSERT_GT(scans, 500);
  const QString path = writeFile("scans.jpg", bomb);
  expectNamesFileAndReason(loadError(path), path, "scans");
  // The decoder refuses it too, should such data reach it by another way.
  EXPECT_THROW(decodeJpeg(bomb, 8, "scans.jpg"), Error);
}

TEST_F(DamagedPictures, BitmapRowsMissingOrHeaderUnknown) {
  const QByteArray bmp = sampleBytes("quadrants.bmp");
  const QString cut = writeFile("cut.bmp", bmp.left(bmp.size() - 100));
  expectNamesFileAndReason(loadError(cut), cut, "ends too early");

  QByteArray oddHeader = bmp;
  qToLittleEndian<quint32>(77, oddHeader.data() + 14);
  const QString odd = writeFile("odd.bmp", oddHeader);
  expectNamesFileAndReason(loadError(odd), odd, "unknown bitmap header");

  QByteArray negativeWidth = bmp;
  qToLittleEndian<qint32>(-16, negativeWidth.data() + 18);
  const QString neg = writeFile("neg.bmp", negativeWidth);
  expectNamesFileAndReason(loadError(neg), neg, "no pixels");
}

TEST_F(DamagedPictures, IconEntriesThatLie) {
  // The directory says 32 × 32 but the bitmap inside claims 5000 × 5000.
  QByteArray icon = sampleBytes("two_sizes.ico");
  const quint32 second = qFromLittleEndian<quint32>(icon.constData() + 6 + 16 + 12);
  qToLittleEndian<qint32>(5000, icon.data() + second + 4);
  qToLittleEndian<qint32>(10000, icon.data() + second + 8);
  // The smaller entry is still good and is shown instead.
  const Picture fallback = Picture::fromBytes(icon, "lying.ico");
  EXPECT_EQ(fallback.naturalSize(), QSizeF(16, 16));

  const quint32 first = qFromLittleEndian<quint32>(icon.constData() + 6 + 12);
  qToLittleEndian<quint16>(7, icon.data() + first + 14);  // 7 bits a pixel
  const QString path = writeFile("lying.ico", icon);
  expectNamesFileAndReason(loadError(path), path, "icon image");

  // A count of 65535 entries in a file that holds one.
  QByteArray many = sampleBytes("png_entry.ico");
  qToLittleEndian<quint16>(65535, many.data() + 4);
  EXPECT_EQ(Picture::fromBytes(many, "many.ico").naturalSize(), QSizeF(48, 48));
}

// Every prefix and many one-byte corruptions of every sample either load and draw, or raise the
// loader's error: no other exception, no crash (the fuzz target goes further under sanitizers).
TEST_F(DamagedPictures, CutAndCorruptedSamplesNeverEscape) {
  QRandomGenerator random(20240611);
  const QStringList names = QDir(QStringLiteral(ORVELLA_TEST_DATA "/pictures")).entryList(QDir::Files);
  ASSERT_GE(names.size(), 8);
  for (const QString& name : names) {
    const QByteArray original = sampleBytes(name.toUtf8().constData());
    QList<QByteArray> variants;
    const qsizetype step = std::max<qsizetype>(1, original.size() / 40);
    for (qsizetype n = 0; n < original.size(); n += step) variants.append(original.left(n));
    for (int i = 0; i < 60 && !original.isEmpty(); ++i) {
      QByteArray v = original;
      const int at = int(random.bounded(std::min<qsizetype>(v.size(), 200)));  // headers live up front
      v[at] = char(random.bounded(256));
      variants.append(v);
    }
    for (const QByteArray& v : variants) {
      try {
        const Picture p = Picture::fromBytes(v, name);
        test::render(p, QSize(40, 30), QRectF(0, 0, 40, 30));
      } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(name)) << e.message().toStdString();
      } catch (...) {
        ADD_FAILURE() << "unexpected exception type for a variant of " << name.toStdString();
      }
    }
  }
}

}  // namespace
}  // namespace orvella
