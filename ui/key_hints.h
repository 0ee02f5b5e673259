// The key of a command shown after the hint of its button, as menus show it after the caption.
#pragma once

#include <QKeySequence>

class QWidget;

namespace orvella::ui {

// The widget's tool tip is shown as its hint, a blank and the keys in parentheses ("Print (Ctrl+P)");
// the hint itself stays as set, so a language sets it as any other.
void showKeyInToolTip(QWidget* widget, const QKeySequence& keys);

}  // namespace orvella::ui
