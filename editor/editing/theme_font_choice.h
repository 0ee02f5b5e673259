// A theme font as the font dialog and the font preview take it, and the dialog's answer as a theme font.
#pragma once

#include <QColor>
#include <QFont>

#include "theme/model/theme.h"

namespace orvella {

// The font that shows the face on screen: the installed family the page would use for it, its points,
// weight and style.
QFont screenFont(const ThemeFont& font);

// The font chosen in the dialog (which showed `before` as screenFont), with its colour. A face the
// dialog showed under its installed substitute keeps its own name when the user kept it, and a colour
// left as it was keeps its stored value (a system colour stays one).
ThemeFont themeFontFromChoice(const QFont& chosen, const QColor& colour, const ThemeFont& before);

}  // namespace orvella
