// The user's folders through QStandardPaths.
#include "platform/desktop/user_folders.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace orvella {

QString userConfigFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation); }

QString userScratchFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // Asked only when the session names one: otherwise Qt warns and makes up a folder in /tmp.
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) return runtime + QLatin1Char('/') + QCoreApplication::applicationName();
  }
#endif
  return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

}  // namespace orvella
