// The walk over the program's windows and their components.
#include "i18n/walk/language_walk.h"

#include <QActionEvent>
#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "i18n/language/language_file.h"
#include "i18n/language/language_messages.h"
#include "i18n/walk/component_kinds.h"
#include "ui/components.h"
#include "ui/window_registry.h"

namespace orvella {

namespace {

// A menu bar lays itself out again at every change of one of its menus' captions; during the walk it
// does so once, after the last. A native menu bar (the desktop's own) takes each change as it comes.
class MenuBarsLaidOutOnce : public QObject {
 public:
  explicit MenuBarsLaidOutOnce(QWidget* window) {
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
      if (!bar->isNativeMenuBar()) {
        bar->installEventFilter(this);
        bars_.push_back({bar, nullptr});
      }
  }
  ~MenuBarsLaidOutOnce() override {
    for (const Bar& bar : bars_) {
      if (!bar.bar) continue;
      bar.bar->removeEventFilter(this);
      if (!bar.lastChanged) continue;
      QActionEvent last(QEvent::ActionChanged, bar.lastChanged);
      QCoreApplication::sendEvent(bar.bar, &last);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ActionChanged) return false;
    for (Bar& bar : bars_)
      if (bar.bar == watched) bar.lastChanged = static_cast<QActionEvent*>(event)->action();
    return true;
  }

 private:
  struct Bar {
    QPointer<QMenuBar> bar;
    QPointer<QAction> lastChanged;
  };
  std::vector<Bar> bars_;
};

// Nothing is drawn while a window changes: every change only marks its part of the window, and the
// walk never lets the event loop run, so each window is drawn once afterwards, and only where a text
// changed. (Turning a window's updates off and on again instead would draw all of it, twice.)
void applyToWindow(const LanguageFile& file, QWidget* window, QStringList* missing) {
  const MenuBarsLaidOutOnce menuBars(window);
  const QString section = window->objectName();
  if (ui::tag(window) != ui::kTagNotTranslated) {
    if (missing && !file.has(section, section)) *missing << section + QLatin1Char('/') + section;
    window->setWindowTitle(file.read(section, section, builtInText(window, window->windowTitle())));
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

QString apply_language_file(const QString& path) {
  return apply_language_file(std::make_shared<const LanguageFile>(path));
}

QString apply_language_file(std::shared_ptr<const LanguageFile> file) {
  applyLanguageFile(*file, ui::windows().windows());
  const QString www = file->www();
  useMessagesOf(std::move(file));
  return www;
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace orvella
