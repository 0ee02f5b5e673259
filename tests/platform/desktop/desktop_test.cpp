// Desktop services: the program's fonts and the system language.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QTemporaryFile>

#include "platform/desktop/font_registry.h"
#include "platform/desktop/system_language.h"

namespace orvella {
namespace {

TEST(FontRegistry, TheProgramsFontsAddTheirFamilies) {
  EXPECT_EQ(registerFontFile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/fonts/sfintellivised.ttf")),
            QStringList{QStringLiteral("SF Intellivised")});
  EXPECT_EQ(registerFontFile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/fonts/sfintellivisedoutline.ttf")),
            QStringList{QStringLiteral("SF Intellivised Outline")});
  EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("SF Intellivised Outline")));
}

TEST(FontRegistry, MissingOrDamagedFilesAddNothing) {
  EXPECT_TRUE(registerFontFile(QStringLiteral("/nonexistent/font.ttf")).isEmpty());
  QTemporaryFile junk;
  ASSERT_TRUE(junk.open());
  junk.write("not a font at all");
  junk.flush();
  EXPECT_TRUE(registerFontFile(junk.fileName()).isEmpty());
}

TEST(SystemLanguage, MapsOntoWindowsPrimaryLanguages) {
  EXPECT_EQ(primaryLanguageOf(QLocale::Spanish), 0x0A);
  EXPECT_EQ(primaryLanguageOf(QLocale::Polish), 0x15);
  EXPECT_EQ(primaryLanguageOf(QLocale::English), 0x09);
  EXPECT_NE(primaryLanguageOf(QLocale::German), 0x09);
  EXPECT_EQ(primaryLanguageOf(QLocale::Japanese), 0x00);
}

}  // namespace
}  // namespace orvella
