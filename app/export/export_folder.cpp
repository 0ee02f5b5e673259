// The working folder of one export.
#include "app/export/export_folder.h"

#include <signal.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

namespace orvella {

namespace {

const QString kPrefix = QStringLiteral("orvella-export-");

bool processRuns(qint64 pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH); }

void removeAbandonedFolders(const QDir& temporary) {
  static const QRegularExpression name(QRegularExpression::anchoredPattern(kPrefix + QStringLiteral("([0-9]+)-.+")));
  for (const QFileInfo& entry : temporary.entryInfoList({kPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QRegularExpressionMatch match = name.match(entry.fileName());
    // Only real folders of this user, whose process has ended.
    if (!match.hasMatch() || entry.isSymLink() || entry.ownerId() != ::getuid()) continue;
    if (!processRuns(match.captured(1).toLongLong())) QDir(entry.filePath()).removeRecursively();
  }
}

// The name of a new folder, once the abandoned ones are gone.
QString newFolderTemplate() {
  removeAbandonedFolders(QDir::temp());
  return QDir::temp().filePath(kPrefix + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX"));
}

}  // namespace

ExportFolder::ExportFolder() : dir_(newFolderTemplate()) {}

}  // namespace orvella
