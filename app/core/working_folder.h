// The working folder one run of the program holds for its whole life.
#pragma once

#include <QString>
#include <memory>

namespace orvella {

class FileLock;

// Two copies of the program must never share a working folder: each empties it of the current
// theme's files at New, Open and close, and packs from it at Save. The first copy holds the folder
// asked for; a copy started while another runs works in a folder of its own beside it, named for its
// process ("temp-4711"), and removes that folder when it ends. A copy that ended without cleaning up
// (it crashed or was killed) leaves no lock behind: the next copy takes its folder over.
class WorkingFolder {
 public:
  explicit WorkingFolder(const QString& wanted);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  const QString& path() const { return path_; }

 private:
  void sweepAbandonedFolders(const QString& wanted) const;

  QString path_;
  bool own_ = false;
  std::unique_ptr<FileLock> lock_;
};

}  // namespace orvella
