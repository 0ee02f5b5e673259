// Painting, fonts and PDF writing need a QGuiApplication: one for the whole test program.
#include <gtest/gtest.h>
#include <QGuiApplication>

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!QGuiApplication::instance()) app_ = new QGuiApplication(argc_, argv_);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  int argc_ = 1;
  char name_[16] = "preview_engine";
  char* argv_[2] = {name_, nullptr};
  QGuiApplication* app_ = nullptr;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
