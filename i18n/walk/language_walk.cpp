// The walk over the program's windows and their components.
#include "i18n/walk/language_walk.h"

#include <QApplication>
#include <QWidget>

#include "i18n/language/language_file.h"
#include "i18n/language/language_messages.h"
#include "i18n/walk/component_kinds.h"
#include "ui/components.h"
#include "ui/window_registry.h"

namespace orvella {

namespace {

// Nothing of the window is drawn until it has all its new texts; then it is drawn once.
class FrozenWindow {
 public:
  explicit FrozenWindow(QWidget* window) : window_(window), wasEnabled_(window->updatesEnabled()) {
    window_->setUpdatesEnabled(false);
  }
  ~FrozenWindow() { window_->setUpdatesEnabled(wasEnabled_); }
  FrozenWindow(const FrozenWindow&) = delete;
  FrozenWindow& operator=(const FrozenWindow&) = delete;

 private:
  QWidget* window_;
  bool wasEnabled_;
};

void applyToWindow(const LanguageFile& file, QWidget* window, QStringList* missing) {
  const FrozenWindow frozen(window);
  const QString section = window->objectName();
  if (ui::tag(window) != ui::kTagNotTranslated) {
    if (missing && !file.has(section, section)) *missing << section + QLatin1Char('/') + section;
    window->setWindowTitle(file.read(section, section, QString()));
  }
  const auto kinds = componentKinds();
  for (QObject* component : ui::components(window)) {
    if (ui::tag(component) == ui::kTagNotTranslated) continue;
    const QString name = component->objectName();
    const ComponentTexts texts(file, section, name, missing);
    for (const ComponentKind& kind : kinds)
      if (kind.matches(component)) kind.apply(component, texts);
  }
}

}  // namespace

void applyLanguageFile(const LanguageFile& file, const QList<QWidget*>& windows, QStringList* missing) {
  for (QWidget* window : windows) applyToWindow(file, window, missing);
}

void apply_language_file(const QString& path) {
  const LanguageFile file(path);
  applyLanguageFile(file, ui::windows().windows());
  useMessagesOf(file);
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace orvella
