// Portable and installed copies of the program, told apart by where their data lies.
#include "app/core/program_paths.h"

#include <QDir>
#include <QFileInfo>

#include "platform/desktop/user_folders.h"

namespace orvella {

namespace {

bool holdsData(const QString& folder) {
  return QFileInfo(folder + QStringLiteral("/images")).isDir() || QFileInfo(folder + QStringLiteral("/fonts")).isDir();
}

QString installedDataDir(const QString& executableDir) {
  // The install rules' own answer: where share/orvella lies seen from the bin folder.
  return QDir::cleanPath(executableDir + QStringLiteral("/" ORVELLA_DATA_FROM_BIN));
}

}  // namespace

QString findDataDir(const QString& executableDir) {
  if (holdsData(executableDir)) return executableDir;
  const QString installed = installedDataDir(executableDir);
  return QFileInfo(installed).isDir() ? installed : executableDir;
}

ProgramPaths locateProgramPaths(const QString& executableDir) {
  ProgramPaths paths;
  paths.dataDir = findDataDir(executableDir);
  if (paths.dataDir == executableDir && QFileInfo(executableDir).isWritable()) {
    paths.workingDir = executableDir + QStringLiteral("/temp");
    paths.configFile = executableDir + QStringLiteral("/config.ini");
  } else {
    paths.workingDir = userScratchFolder() + QStringLiteral("/temp");
    paths.configFile = userConfigFolder() + QStringLiteral("/config.ini");
  }
  paths.guideDir = paths.dataDir == executableDir ? executableDir + QStringLiteral("/guide")
                                                  : QDir::cleanPath(executableDir + QStringLiteral("/" ORVELLA_GUIDE_FROM_BIN));
  return paths;
}

}  // namespace orvella
