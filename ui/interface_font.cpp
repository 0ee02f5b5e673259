#include "ui/interface_font.h"

#include <QStringList>

namespace orvella::ui {

QFont interfaceFont(int pixels, bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setFamilies(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace orvella::ui
