// Single reads and writes of settings keys.
#include "i18n/language/ini_value.h"

#include "platform/settings/ini_file.h"

namespace orvella {

void ini_value(const QString& path, const QString& section, const QString& key, QString& result, char mode,
               const QString& text) {
  if (mode != 'r' && mode != 'w') return;
  IniFile file(path);
  if (mode == 'r') {
    result = file.readString(section, key, text);
    return;
  }
  file.writeString(section, key, text);
  file.flush();
}

}  // namespace orvella
