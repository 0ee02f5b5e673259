// Claiming the working folder with a file lock beside it.
#include "app/core/working_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/files/file_operations.h"
#include "platform/lock/file_lock.h"

namespace orvella {

namespace {

// The lock sits beside the folder, not in it: a theme archive restores any name into the folder.
QString lockFileOf(const QString& folder) { return folder + QStringLiteral(".lock"); }

// Removes a folder with all it holds; a symbolic link put in its place goes alone, never what it names.
void removeFolder(const QString& folder) {
  if (QFileInfo(folder).isSymLink()) QFile::remove(folder);
  else QDir(folder).removeRecursively();
}

}  // namespace

WorkingFolder::WorkingFolder(const QString& wanted) {
  const QString folder = QDir::cleanPath(wanted);
  files::makeFolders(QFileInfo(folder).absolutePath());
  lock_ = std::make_unique<FileLock>(lockFileOf(folder));
  if (lock_->tryLock()) {
    path_ = folder;
    sweepAbandonedFolders(folder);
    return;
  }
  // Held by another running copy. A folder of the same name may be left from an ended process that
  // had the same number; once its lock is ours, whatever it holds is nobody's.
  const QString own = folder + QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
  auto ownLock = std::make_unique<FileLock>(lockFileOf(own));
  if (!ownLock->tryLock()) {
    // The folder cannot be locked at all (nothing may be created there): work as before, unguarded.
    path_ = folder;
    lock_.reset();
    return;
  }
  removeFolder(own);
  files::makeFolders(own);
  path_ = own;
  own_ = true;
  lock_ = std::move(ownLock);
}

WorkingFolder::~WorkingFolder() {
  if (!own_) return;  // the shared folder and its lock file stay for the next copy
  removeFolder(path_);
  QFile::remove(lock_->path());
}

void WorkingFolder::sweepAbandonedFolders(const QString& wanted) const {
  // Folders of copies that ended without removing theirs: their lock is free.
  const QFileInfo info(wanted);
  const QRegularExpression ownLockName(QRegularExpression::anchoredPattern(
      QRegularExpression::escape(info.fileName()) + QStringLiteral("-[0-9]+\\.lock")));
  const QDir parent = info.absoluteDir();
  for (const QString& name : parent.entryList({info.fileName() + QStringLiteral("-*.lock")}, QDir::Files)) {
    if (!ownLockName.match(name).hasMatch()) continue;
    FileLock abandoned(parent.filePath(name));
    if (!abandoned.tryLock()) continue;  // that copy is still running
    const QString folder = parent.filePath(name.chopped(5));
    removeFolder(folder);
    QFile::remove(abandoned.path());
  }
}

}  // namespace orvella
