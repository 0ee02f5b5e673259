// The face the program's windows are drawn in: "MS Sans Serif" at a size in pixels.
#pragma once

#include <QFont>

namespace orvella::ui {

// Where "MS Sans Serif" is not installed, DejaVu Sans stands in for it and is the only face named: a
// face that is missing makes the font system sort every face for a fallback.
QFont interfaceFont(int pixels, bool bold = false);

}  // namespace orvella::ui
