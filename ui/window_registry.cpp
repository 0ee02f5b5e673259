// The program's windows in creation order.
#include "ui/window_registry.h"

#include <algorithm>

namespace orvella::ui {

WindowRegistry& WindowRegistry::instance() {
  static WindowRegistry* registry = new WindowRegistry;  // outlives every window, also at exit
  return *registry;
}

void WindowRegistry::add(QWidget* window) {
  if (!window || order_.contains(window)) return;
  order_ << window;
  connect(window, &QObject::destroyed, this, &WindowRegistry::remove);
  emit windowAdded(window);
}

void WindowRegistry::remove(QObject* window) {
  // Called from QObject's destructor: only the address is compared.
  const auto at = std::find_if(order_.begin(), order_.end(), [window](QWidget* w) { return w == window; });
  if (at == order_.end()) return;
  QWidget* gone = *at;
  order_.erase(at);
  emit windowRemoved(gone);
}

QList<QWidget*> WindowRegistry::windows() const { return order_; }

void WindowRegistry::closeAllBut(QWidget* keep) {
  QList<QPointer<QWidget>> others;
  for (QWidget* window : order_)
    if (window != keep) others.prepend(window);
  // Closing one window may destroy or close others; each is looked at only if it still exists.
  for (const QPointer<QWidget>& window : others)
    if (window) window->close();
}

}  // namespace orvella::ui
