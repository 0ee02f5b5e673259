// Theme fonts to and from Qt's fonts.
#include "editor/editing/theme_font_choice.h"

#include <algorithm>
#include <cmath>

#include "calendar/page/font_resolver.h"

namespace orvella {

QFont screenFont(const ThemeFont& font) {
  QFont shown(page::resolveFamily(font.name));
  shown.setPointSize(page::clampedPoints(font.size));
  shown.setWeight(page::resolveWeight(font.name, font.bold));
  shown.setItalic(font.italic);
  shown.setUnderline(font.underline);
  shown.setStrikeOut(font.strikeout);
  return shown;
}

ThemeFont themeFontFromChoice(const QFont& chosen, const QColor& colour, const ThemeFont& before) {
  ThemeFont font = before;
  const QString family = chosen.family();
  font.name = family == page::resolveFamily(before.name) ? before.name : family;
  if (chosen.pointSize() > 0)
    font.size = chosen.pointSize();
  else if (chosen.pointSizeF() > 0)
    font.size = int(std::lround(chosen.pointSizeF()));
  else if (chosen.pixelSize() > 0)
    font.size = int(std::lround(chosen.pixelSize() * 72.0 / 96.0));
  // A face that is heavy of itself ("Arial Black") is bold only when the dialog made it heavier still.
  font.bold = chosen.weight() > std::max(QFont::Medium, page::resolveWeight(font.name, false));
  font.italic = chosen.italic();
  font.underline = chosen.underline();
  font.strikeout = chosen.strikeOut();
  if (colour.isValid() && colour != toQColor(before.color)) font.color = fromQColor(colour);
  return font;
}

}  // namespace orvella
