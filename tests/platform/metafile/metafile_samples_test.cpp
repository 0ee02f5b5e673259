// Real metafiles: the program's own default pictures and samples written by other programs.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "platform/errors/error.h"
#include "tests/platform/metafile/metafile_writer.h"
#include "tests/support/files.h"
#include "tests/support/reference_image.h"

namespace orvella {
namespace {

using testing_metafile::near;
using testing_metafile::render;
using testing::readFile;

// The picture as drawn, against its reference in tests/data/references/metafile.
std::string differs(const QImage& image, const QString& name) {
  return testing::differenceFromReference(image, QStringLiteral("metafile/") + name).toStdString();
}

class DefaultPictures : public ::testing::Test {
 protected:
  std::shared_ptr<const PictureSource> load(const QString& relative) {
    const QByteArray bytes = readFile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/") + relative);
    EXPECT_FALSE(bytes.isEmpty()) << relative.toStdString();
    return decodeMetafile(bytes, relative);
  }
};

TEST_F(DefaultPictures, BandIsATallStripOfItsBoxSize) {
  const auto band = load(QStringLiteral("images/band_music.wmf"));
  // The left margin box is 50 × 395 units of 1/48 inch: about 100 × 790 screen pixels.
  EXPECT_NEAR(band->naturalSize().width(), 100, 3);
  EXPECT_NEAR(band->naturalSize().height(), 790, 8);
  // A tinted strip with a stave down the middle and notes on it.
  EXPECT_EQ(differs(render(*band, 100, 790), QStringLiteral("band_music")), "");
}

TEST_F(DefaultPictures, SmallPicturesAreSquareAndColourful) {
  struct Case {
    const char* file;
    QPointF at;     // a point inside the main shape, in parts of the picture's size
    QColor colour;  // the colour there
  };
  const Case cases[] = {
      {"images/flower.wmf", {0.5, 0.47}, QColor(255, 206, 48)},  // the yellow middle
      {"bierdony.wmf", {0.38, 0.52}, QColor(224, 38, 38)},       // a red wing case
      {"kwiatek.wmf", {0.5, 0.315}, QColor(255, 196, 40)},       // the flower's middle
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const auto picture = load(QString::fromLatin1(c.file));
    const QSizeF size = picture->naturalSize();
    EXPECT_GT(size.width(), 40);
    EXPECT_LT(size.width(), 200);
    const QImage image = render(*picture, 400, int(400 * size.height() / size.width()));
    EXPECT_EQ(differs(image, QFileInfo(QString::fromLatin1(c.file)).baseName()), "");
    const QRgb pixel = image.pixel(int(c.at.x() * image.width()), int(c.at.y() * image.height()));
    EXPECT_TRUE(near(pixel, c.colour, 30)) << std::hex << pixel;
  }
  // The holiday icon is drawn stretched into 20 × 20 units: it still shows its colours there.
  EXPECT_EQ(differs(render(*load(QStringLiteral("images/flower.wmf")), 40, 40), QStringLiteral("flower_small")), "");
}

TEST(MetafileSamples, EverySampleLoadsAndDraws) {
  const QDir folder(QStringLiteral(ORVELLA_TEST_DATA "/metafile"));
  const QStringList names = folder.entryList({QStringLiteral("*.wmf"), QStringLiteral("*.emf")}, QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    std::shared_ptr<const PictureSource> picture;
    try {
      picture = decodeMetafile(readFile(folder.filePath(name)), name);
    } catch (const Error& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    const QSizeF size = picture->naturalSize();
    EXPECT_GT(size.width(), 1);
    EXPECT_GT(size.height(), 1);
    const double scale = 300 / std::max(size.width(), size.height());
    const QImage image = render(*picture, int(size.width() * scale) + 1, int(size.height() * scale) + 1);
    EXPECT_EQ(differs(image, QFileInfo(name).completeBaseName() + QLatin1Char('_') + QFileInfo(name).suffix()), "");
  }
}

}  // namespace
}  // namespace orvella
