// Tool tips that name the keys of their command.
#include "ui/key_hints.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace orvella::ui {

namespace {

class KeyInToolTip : public QObject {
 public:
  KeyInToolTip(const QKeySequence& keys, QWidget* widget) : QObject(widget), keys_(keys) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::ToolTip || !widget || widget->toolTip().isEmpty()) return false;
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                       widget->toolTip() + QStringLiteral(" (") + keys_.toString(QKeySequence::NativeText) +
                           QLatin1Char(')'),
                       widget);
    return true;
  }

 private:
  QKeySequence keys_;
};

}  // namespace

void showKeyInToolTip(QWidget* widget, const QKeySequence& keys) {
  widget->installEventFilter(new KeyInToolTip(keys, widget));
}

}  // namespace orvella::ui
