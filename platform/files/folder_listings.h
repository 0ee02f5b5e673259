// Names found without regard to case in folders that are listed once: a restore of thousands of files
// asks about every one of them, and listing the folder again for each took time in their square.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace orvella::files {

class FolderListings {
 public:
  // The path as on disk: its folder resolved as resolveExistingPart() resolves it, its file part the
  // folder's entry that equals it without regard to case (the first by name, the exact one when it is
  // there), or as given when the folder holds none. A folder is listed at the first question about it.
  QString resolve(const QString& path);
  // A file was created under this path (as resolve() gave it), so that later questions find it.
  void added(const QString& path);

 private:
  struct Folder {
    QString onDisk;                 // the folder's path as on disk, with a trailing "/"
    QSet<QString> exact;            // the entries' names
    QHash<QString, QString> names;  // case-folded name -> the first entry by name
    void add(const QString& name);
  };
  Folder& folderOf(const QString& folder);
  QHash<QString, Folder> folders_;  // by the folder as asked for
};

}  // namespace orvella::files
