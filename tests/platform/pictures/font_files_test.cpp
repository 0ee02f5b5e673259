// The two font files installed beside the program: family names the theme names, letters, hollowness.
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
    static char arg0[] = "test_font_files";
    static char* argv[] = {arg0, nullptr};
    if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  // The application must go before the program's static objects do.
  static void TearDownTestSuite() { app_.reset(); }

  // Share of dark pixels when text is drawn large in family.
  static double ink(const QString& family, const QString& text) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QFont font(family);
    font.setPixelSize(220);
    p.setFont(font);
    p.drawText(QRect(0, 0, 400, 300), Qt::AlignCenter, text);
    p.end();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return double(dark) / (image.width() * image.height());
  }

  static inline std::unique_ptr<QGuiApplication> app_;
};

TEST_F(FontFiles, RegisterUnderExactlyTheThemeFamilyNames) {
  const int regular = QFontDatabase::addApplicationFont(fontFile("sfintellivised.ttf"));
  const int outline = QFontDatabase::addApplicationFont(fontFile("sfintellivisedoutline.ttf"));
  ASSERT_GE(regular, 0);
  ASSERT_GE(outline, 0);
  EXPECT_EQ(QFontDatabase::applicationFontFamilies(regular), QStringList{"SF Intellivised"});
  EXPECT_EQ(QFontDatabase::applicationFontFamilies(outline), QStringList{"SF Intellivised Outline"});
  // A plain (not bold) request must find the face itself rather than a substitute.
  EXPECT_EQ(QFontInfo(QFont("SF Intellivised Outline", 46)).family(), "SF Intellivised Outline");
}

TEST_F(FontFiles, CarryEveryPolishAndSpanishLetter) {
  const QString letters = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻáéíñóúüÁÉÍÑÓÚÜ¿¡0123456789€„”–");
  for (const char* file : {"sfintellivised.ttf", "sfintellivisedoutline.ttf"}) {
    const QRawFont font(fontFile(file), 46);
    ASSERT_TRUE(font.isValid()) << file;
    for (const QChar c : letters)
      EXPECT_TRUE(font.supportsCharacter(c)) << file << " lacks U+" << std::hex << int(c.unicode());
  }
}

TEST_F(FontFiles, OutlineFaceIsHollow) {
  QFontDatabase::addApplicationFont(fontFile("sfintellivised.ttf"));
  QFontDatabase::addApplicationFont(fontFile("sfintellivisedoutline.ttf"));
  for (const char* digits : {"8", "30"}) {
    const double solid = ink("SF Intellivised", digits);
    const double hollow = ink("SF Intellivised Outline", digits);
    EXPECT_GT(solid, 0.05) << digits;
    EXPECT_GT(hollow, 0.02) << digits << ": the outline must still be drawn";
    EXPECT_LT(hollow, solid * 0.6) << digits << ": the outline face must leave the letters open";
  }
}

}  // namespace
