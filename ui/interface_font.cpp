#include "ui/interface_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace orvella::ui {

namespace {

// Asked once a run: the font system has read every face by the time the first window is built.
bool hasWindowsFace() {
  static const bool installed =
      QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive);
  return installed;
}

}  // namespace

QFont interfaceFont(int pixels, bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"));
  if (hasWindowsFace())
    font.setFamilies(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
  else
    font.setFamilies(QStringList{QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace orvella::ui
