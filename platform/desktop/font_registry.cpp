// Font registration through Qt's application fonts.
#include "platform/desktop/font_registry.h"

#include <QFontDatabase>

namespace orvella {

QStringList registerFontFile(const QString& path) {
  const int id = QFontDatabase::addApplicationFont(path);
  if (id < 0) return {};
  return QFontDatabase::applicationFontFamilies(id);
}

}  // namespace orvella
