// The program's windows in the order they were made: a walk over the program's windows is a loop over
// this registry.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <utility>

namespace orvella::ui {

class WindowRegistry : public QObject {
  Q_OBJECT

 public:
  // The program-wide registry.
  static WindowRegistry& instance();

  // Makes a window and registers it last. The caller owns it; a window that deletes itself on close
  // is released by the caller (`make<W>().release()`).
  template <class Window, class... Args>
  std::unique_ptr<Window> make(Args&&... args) {
    auto window = std::make_unique<Window>(std::forward<Args>(args)...);
    add(window.get());
    return window;
  }

  // Registers a window made elsewhere, last; it leaves the registry when it is destroyed. Adding a
  // window twice changes nothing.
  void add(QWidget* window);

  // The registered windows that still exist, in the order they were made.
  QList<QWidget*> windows() const;
  template <class Window>
  QList<Window*> windowsOf() const {
    QList<Window*> found;
    for (QWidget* window : windows())
      if (auto* w = qobject_cast<Window*>(window)) found << w;
    return found;
  }

  // Closes every registered window but `keep`, the newest first. A window may refuse: a preview that
  // prints cancels its job and closes once the job has stopped.
  void closeAllBut(QWidget* keep);

 signals:
  // After a window was registered, and as it is destroyed.
  void windowAdded(QWidget* window);
  void windowRemoved(QWidget* window);

 private:
  WindowRegistry() = default;
  void remove(QObject* window);

  QList<QWidget*> order_;  // removed when destroyed, so never dangling
};

// Short for WindowRegistry::instance().
inline WindowRegistry& windows() { return WindowRegistry::instance(); }

}  // namespace orvella::ui
