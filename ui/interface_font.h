// The face the program's windows are drawn in: "MS Sans Serif" at a size in pixels.
#pragma once

#include <QFont>

namespace orvella::ui {

// Where "MS Sans Serif" is not installed, DejaVu Sans stands in for it, named here: the font system
// would otherwise be asked for a fallback (a slow sort of every face) each time the face is used.
QFont interfaceFont(int pixels, bool bold = false);

}  // namespace orvella::ui
