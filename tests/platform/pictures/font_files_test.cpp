// The font files installed beside the program: family names the theme names, letters, hollowness, and
// bold faces that keep their weight at every resolution.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <memory>

namespace {

QString fontFile(const char* name) {
  return QStringLiteral(ORVELLA_SOURCE_DIR "/data/fonts/") + QLatin1String(name);
}

class FontFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char arg0[] = "platform_pictures_font_files_test";
    static char* argv[] = {arg0, nullptr};
    if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  // The application must go before the program's static objects do.
  static void TearDownTestSuite() { app_.reset(); }

  static void registerAll() {
    for (const char* file : {"sfintellivised.ttf", "sfintellivisedbold.ttf", "sfintellivisedoutline.ttf",
                             "sfintellivisedoutlinebold.ttf"})
      QFontDatabase::addApplicationFont(fontFile(file));
  }

  // Share of dark pixels when text is drawn in family at pixelSize, on an image that grows with the
  // size, so the share compares across sizes.
  static double ink(const QString& family, const QString& text, int pixelSize = 220, bool bold = false) {
    const double scale = pixelSize / 220.0;
    QImage image(qRound(800 * scale), qRound(300 * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    p.end();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return double(dark) / (image.width() * image.height());
  }

  static inline std::unique_ptr<QGuiApplication> app_;
};

TEST_F(FontFiles, RegisterUnderExactlyTheThemeFamilyNames) {
  // The bold faces join their families rather than adding names a theme would have to know.
  const std::pair<const char*, const char*> files[] = {{"sfintellivised.ttf", "SF Intellivised"},
                                                       {"sfintellivisedbold.ttf", "SF Intellivised"},
                                                       {"sfintellivisedoutline.ttf", "SF Intellivised Outline"},
                                                       {"sfintellivisedoutlinebold.ttf", "SF Intellivised Outline"}};
  for (const auto& [file, family] : files) {
    const int id = QFontDatabase::addApplicationFont(fontFile(file));
    ASSERT_GE(id, 0) << file;
    EXPECT_EQ(QFontDatabase::applicationFontFamilies(id), QStringList{family}) << file;
  }
  // A plain (not bold) request must find the face itself rather than a substitute.
  EXPECT_EQ(QFontInfo(QFont("SF Intellivised Outline", 46)).family(), "SF Intellivised Outline");
}

TEST_F(FontFiles, CarryEveryPolishAndSpanishLetter) {
  const QString letters = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻáéíñóúüÁÉÍÑÓÚÜ¿¡0123456789€„”–");
  for (const char* file : {"sfintellivised.ttf", "sfintellivisedbold.ttf", "sfintellivisedoutline.ttf",
                           "sfintellivisedoutlinebold.ttf"}) {
    const QRawFont font(fontFile(file), 46);
    ASSERT_TRUE(font.isValid()) << file;
    for (const QChar c : letters)
      EXPECT_TRUE(font.supportsCharacter(c)) << file << " lacks U+" << std::hex << int(c.unicode());
  }
}

TEST_F(FontFiles, OutlineFacesAreHollow) {
  registerAll();
  for (const char* digits : {"8", "30"}) {
    for (const bool bold : {false, true}) {
      const double solid = ink("SF Intellivised", digits, 220, bold);
      const double hollow = ink("SF Intellivised Outline", digits, 220, bold);
      EXPECT_GT(solid, 0.05) << digits;
      EXPECT_GT(hollow, 0.02) << digits << ": the outline must still be drawn";
      // The bold ring is as wide as the bold strokes grow and leaves less open, but a letter filled in
      // would weigh as much as the solid one.
      EXPECT_LT(hollow, solid * (bold ? 0.92 : 0.6)) << digits << (bold ? " bold" : "") << ": the letters must stay open";
    }
  }
}

// The year label is 46 points bold: 61 pixels on a 96-dpi screen, 192 in a 300-dpi print. The toolkit
// thickens a face without bold only while it draws small glyph bitmaps, so without a bold face of
// their own the letters would be heavy on screen and thin on paper.
TEST_F(FontFiles, BoldKeepsItsWeightFromScreenToPrint) {
  registerAll();
  for (const char* family : {"SF Intellivised", "SF Intellivised Outline"}) {
    const double screen = ink(family, "2017", 61, true);
    const double print = ink(family, "2017", 192, true);
    const double regularPrint = ink(family, "2017", 192, false);
    EXPECT_GT(print, regularPrint * 1.15) << family << ": bold must be heavier than regular in print";
    EXPECT_NEAR(print / screen, 1.0, 0.15) << family << ": bold must weigh the same on screen and in print";
  }
}

}  // namespace
