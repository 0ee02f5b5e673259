// Modules are found by their folder's place beside the executable, never through the library search
// path, so that another file of the same name cannot stand in for one.
#include "platform/modules/program_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMutex>
#include <QMutexLocker>

#include "platform/errors/error.h"

namespace orvella {

QFunctionPointer programModuleFunction(const QString& module, const char* function) {
  static QMutex guard;  // an export and a preview may write at the same time
  const QMutexLocker lock(&guard);
  // A copy with its data beside the executable keeps its modules there too; an installed one has them
  // in its library folder.
  const QString programDir = QCoreApplication::applicationDirPath();
  QString folder = programDir + QStringLiteral("/modules");
  if (!QFileInfo(folder).isDir())
    folder = QDir::cleanPath(programDir + QLatin1Char('/') + QStringLiteral(ORVELLA_MODULES_FROM_BIN));
  QLibrary library(folder + QLatin1Char('/') + module);
  if (!library.load())
    throw Error(QStringLiteral("The module %1 cannot be loaded: %2")
                    .arg(QDir::toNativeSeparators(library.fileName()), library.errorString()));
  if (QFunctionPointer found = library.resolve(function)) return found;
  throw Error(QStringLiteral("The module %1 cannot be loaded: it has no %2")
                  .arg(QDir::toNativeSeparators(library.fileName()), QString::fromLatin1(function)));
}

}  // namespace orvella
