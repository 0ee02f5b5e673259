// Folder listings kept for the length of one operation.
#include "platform/files/folder_listings.h"

#include <QDir>

#include "platform/files/path_names.h"

namespace orvella::files {

namespace {

// The folder part with its trailing "/", and the file part.
std::pair<QString, QString> split(const QString& path) {
  const QString slashed = toSlashes(path);
  const qsizetype sep = slashed.lastIndexOf(QLatin1Char('/'));
  return {slashed.left(sep + 1), slashed.mid(sep + 1)};
}

}  // namespace

void FolderListings::Folder::add(const QString& name) {
  exact.insert(name);
  const QString folded = name.toCaseFolded();
  if (!names.contains(folded)) names.insert(folded, name);  // the first by name stays
}

FolderListings::Folder& FolderListings::folderOf(const QString& folder) {
  auto it = folders_.find(folder);
  if (it != folders_.end()) return *it;
  Folder listed;
  listed.onDisk = folder.isEmpty() ? QString() : resolveExistingPart(folder);
  if (!listed.onDisk.isEmpty() && !listed.onDisk.endsWith(QLatin1Char('/')))
    listed.onDisk += QLatin1Char('/');
  const QDir dir(listed.onDisk.isEmpty() ? QStringLiteral(".") : listed.onDisk);
  for (const QString& entry :
       dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
    listed.add(entry);
  return *folders_.insert(folder, std::move(listed));
}

QString FolderListings::resolve(const QString& path) {
  const auto [folder, name] = split(path);
  const Folder& listed = folderOf(folder);
  if (listed.exact.contains(name)) return listed.onDisk + name;
  return listed.onDisk + listed.names.value(name.toCaseFolded(), name);
}

void FolderListings::added(const QString& path) {
  const auto [folder, name] = split(path);
  for (Folder& listed : folders_)
    if (listed.onDisk == folder) listed.add(name);
}

}  // namespace orvella::files
