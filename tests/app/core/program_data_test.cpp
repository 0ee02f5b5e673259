// The program's own data as start-up and the export register it: both font families with real bold.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <memory>

#include "../../support/program_folder.h"
#include "app/core/program_data.h"

namespace orvella::testing {
namespace {

// An application of its own, with none of the program's fonts until the test registers them.
class ProgramFonts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char arg0[] = "app_program_data_test";
    static char* argv[] = {arg0, nullptr};
    if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }
  static inline std::unique_ptr<QGuiApplication> app_;
};

TEST_F(ProgramFonts, BothFamiliesComeWithABoldFaceOfTheirOwn) {
  const ProgramFolder program;
  registerProgramFonts(program.path());

  QStringList ours = QFontDatabase::families().filter(QStringLiteral("SF Intellivised"));
  ours.sort();
  EXPECT_EQ(ours.join(QLatin1Char('|')).toStdString(), "SF Intellivised|SF Intellivised Outline");
  for (const QString& family : ours) {
    // Bold found as a face of the family itself: drawn from its outlines, not thickened by the toolkit.
    const QFontInfo bold(QFont(family, 46, QFont::Bold));
    EXPECT_EQ(bold.family().toStdString(), family.toStdString());
    EXPECT_EQ(bold.styleName().toStdString(), "Bold") << qPrintable(family);
    EXPECT_EQ(QFontInfo(QFont(family, 46)).styleName().toStdString(), "Regular") << qPrintable(family);
  }
}

}  // namespace
}  // namespace orvella::testing
