// Modules are found by a path relative to the executable, never through the library search path, so
// that another file of the same name cannot stand in for one.
#include "platform/modules/program_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMutex>
#include <QMutexLocker>

#include "platform/errors/error.h"

namespace orvella {

QFunctionPointer programModuleFunction(const QString& module, const char* function) {
  static QMutex guard;  // an export and a preview may write at the same time
  const QMutexLocker lock(&guard);
  const QString file = QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                                       QStringLiteral(ORVELLA_MODULES_FROM_BIN) + QLatin1Char('/') + module);
  QLibrary library(file);
  if (!library.load())
    throw Error(QStringLiteral("The module %1 cannot be loaded: %2").arg(QDir::toNativeSeparators(file),
                                                                        library.errorString()));
  if (QFunctionPointer found = library.resolve(function)) return found;
  throw Error(QStringLiteral("The module %1 cannot be loaded: it has no %2")
                  .arg(QDir::toNativeSeparators(library.fileName()), QString::fromLatin1(function)));
}

}  // namespace orvella
