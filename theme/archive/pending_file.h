// A file being restored: written under a name of its own beside its target, and renamed over the
// target only once its data is complete, so that a failed restore leaves the old file as it was and a
// hard link under the target's name is replaced rather than written through.
#pragma once

#include <QFile>
#include <QString>

namespace orvella::archive {

struct PendingFile {
  QString entry;    // the entry's name as the archive stores it
  QString target;   // the name the file takes when complete
  QString partial;  // where its data goes meanwhile; empty once it has taken the target's name
  qint32 stamp = -1;
  QFile file;

  PendingFile() = default;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() {
    if (file.isOpen()) file.close();
    if (!partial.isEmpty()) QFile::remove(partial);
  }
};

}  // namespace orvella::archive
