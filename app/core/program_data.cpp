// Fonts and pictures of the program's folder.
#include "app/core/program_data.h"

#include <QFileInfo>

#include "platform/desktop/font_registry.h"
#include "platform/files/path_names.h"

namespace orvella {

void registerProgramFonts(const QString& programDir) {
  for (const char* file : {"sfintellivised.ttf", "sfintellivisedbold.ttf", "sfintellivisedoutline.ttf",
                           "sfintellivisedoutlinebold.ttf"})
    registerFontFile(programDir + QStringLiteral("/fonts/") + QLatin1String(file));
}

QString locateProgramPicture(const QString& programDir, const QString& held) {
  if (held.trimmed().isEmpty()) return {};
  QString path = files::toSlashes(held);
  if (QFileInfo(path).isRelative()) path = programDir + QLatin1Char('/') + path;
  const QString found = files::resolveCaseInsensitive(path);
  return !found.isEmpty() && QFileInfo(found).isFile() ? found : QString();
}

}  // namespace orvella
