// File locks: flock() where there is one, so that a crashed process can never leave a lock behind.
#include "platform/lock/file_lock.h"

#include <QFile>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#else
#include <QLockFile>
#endif

namespace orvella {

#if defined(Q_OS_UNIX)

struct FileLock::Native {
  int fd = -1;
};

bool FileLock::tryLock() {
  if (isLocked()) return false;
  // Close-on-exec: a program started from here must not inherit and keep the lock.
  const int fd = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    ::close(fd);
    return false;
  }
  native_->fd = fd;
  return true;
}

void FileLock::unlock() {
  if (!isLocked()) return;
  ::close(native_->fd);  // closing the only descriptor drops the lock
  native_->fd = -1;
}

bool FileLock::isLocked() const { return native_->fd >= 0; }

#else

// Elsewhere Qt's lock file, which recognises the lock of a process that no longer runs.
struct FileLock::Native {
  explicit Native(const QString& path) : file(path) { file.setStaleLockTime(0); }
  QLockFile file;
};

bool FileLock::tryLock() { return !isLocked() && native_->file.tryLock(0); }
void FileLock::unlock() { native_->file.unlock(); }
bool FileLock::isLocked() const { return native_->file.isLocked(); }

#endif

FileLock::FileLock(QString path)
    : path_(std::move(path)),
#if defined(Q_OS_UNIX)
      native_(std::make_unique<Native>())
#else
      native_(std::make_unique<Native>(path_))
#endif
{
}

FileLock::~FileLock() { unlock(); }

}  // namespace orvella
