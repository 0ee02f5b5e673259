// One QGuiApplication for every test that draws or measures text (fonts need it), on the offscreen platform.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvella_tests";
    static char* argv[] = {name, nullptr};
    app_ = new QGuiApplication(argc, argv);
    // The program registers its own faces at start-up; so do the tests, when they are there.
    const QDir fonts(QStringLiteral(ORVELLA_SOURCE_DIR "/data/fonts"));
    for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
      QFontDatabase::addApplicationFont(fonts.filePath(file));
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QGuiApplication* app_ = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
