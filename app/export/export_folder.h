// The working folder of one export: its theme's files are restored there, never in a running
// program's folder.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace orvella {

// A new folder of the export's own in the temporary folder, named for its process, removed when the
// export ends. Folders that exports which never ended (killed) left behind are removed first.
class ExportFolder {
 public:
  ExportFolder();
  // Empty when no folder could be made.
  QString path() const { return dir_.isValid() ? dir_.path() : QString(); }

 private:
  QTemporaryDir dir_;
};

}  // namespace orvella
