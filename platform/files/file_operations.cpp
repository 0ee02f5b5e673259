// Copying, deleting and creating files and folders.
#include "platform/files/file_operations.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>

#include "platform/files/dos_time.h"
#include "platform/files/path_names.h"

namespace orvella::files {

bool copyFileNoOverwrite(const QString& from, const QString& to) {
  const QString source = resolveCaseInsensitive(from);
  if (source.isEmpty() || !resolveCaseInsensitive(to).isEmpty()) return false;
  if (QFileInfo(source).isDir()) return false;
  if (!QFile::copy(source, toSlashes(to))) return false;
  setFileDosTime(toSlashes(to), fileDosTime(source));
  return true;
}

bool deleteFile(const QString& path) {
  const QString actual = resolveCaseInsensitive(path);
  if (actual.isEmpty()) return false;
  const QFileInfo info(actual);
  if (info.isDir() && !info.isSymLink()) return false;
  return QFile::remove(actual);
}

bool makeFolders(const QString& path) {
  if (path.isEmpty()) return false;
  const QString slashed = resolveExistingPart(path);
  if (QFileInfo(slashed).isDir()) return true;
  QDir().mkpath(slashed);
  return QFileInfo(slashed).isDir();
}

QString temporaryFileName(const QString& prefix) {
  QTemporaryFile file(QDir::tempPath() + QLatin1Char('/') + prefix + QStringLiteral("XXXXXX.tmp"));
  file.setAutoRemove(false);
  if (!file.open()) return {};
  return file.fileName();
}

bool isSymLink(const QString& path) {
  struct stat st;
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool existsAsNonRegular(const QString& path) {
  struct stat st;
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

QString createFileBeside(const QString& path) {
  const QFileInfo info(toSlashes(path));
  const QString stem = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.');
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString name = stem + QString::number(QRandomGenerator::global()->generate() % 1000000u, 36);
    const int fd = ::open(QFile::encodeName(name).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
    if (errno != EEXIST) break;
  }
  return {};
}

bool replaceFile(const QString& from, const QString& to, bool keepMode) {
  const QByteArray source = QFile::encodeName(from);
  const QByteArray target = QFile::encodeName(toSlashes(to));
  struct stat st;
  if (keepMode && ::lstat(target.constData(), &st) == 0 && S_ISREG(st.st_mode))
    ::chmod(source.constData(), st.st_mode & 07777);
  return ::rename(source.constData(), target.constData()) == 0;
}

bool openForWriting(QFile& file, const QString& path, WriteMode mode) {
  int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  if (mode == WriteMode::Append) flags |= O_APPEND;
  const int fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
  if (fd < 0) return false;
  struct stat st;
  // Checked before truncating: a device or a pipe under the name is left alone.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      (mode == WriteMode::Truncate && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return false;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  QIODevice::OpenMode openMode = QIODevice::WriteOnly | QIODevice::Unbuffered;
  if (mode == WriteMode::Append) openMode |= QIODevice::Append;
  file.setFileName(path);
  if (!file.open(fd, openMode, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
}

}  // namespace orvella::files
