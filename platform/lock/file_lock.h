// An advisory, exclusive lock on a file that the operating system drops when its process ends.
#pragma once

#include <QString>
#include <memory>

namespace orvella {

class FileLock {
 public:
  explicit FileLock(QString path);  // the lock file; created when missing, never deleted
  ~FileLock();                      // releases the lock
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Takes the lock without waiting; false when another live process (or another FileLock of this
  // one) holds it, or the file cannot be created. A lock left by a process that has ended is free.
  bool tryLock();
  void unlock();
  bool isLocked() const;
  const QString& path() const { return path_; }

 private:
  struct Native;
  QString path_;
  std::unique_ptr<Native> native_;
};

}  // namespace orvella
