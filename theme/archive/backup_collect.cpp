// Backup: turning the list of files and masks into the names to store.
#include <QSet>

#include "platform/files/archive_attribute.h"
#include "platform/files/path_names.h"
#include "theme/archive/backup_file.h"

namespace orvella {

namespace {

// The subfolder switch: "/s" after a blank at the end of an entry. (A "/s" anywhere else is part of a
// path on this platform, where "/" separates folders.)
bool splitSubfolderSwitch(const QString& entry, QString& mask) {
  const QString trimmed = entry.trimmed();
  if (trimmed == QLatin1String("/s")) {
    mask.clear();
    return true;
  }
  if (trimmed.size() > 2 && trimmed.endsWith(QLatin1String("/s")) && trimmed[trimmed.size() - 3].isSpace()) {
    mask = trimmed.left(trimmed.size() - 2).trimmed();
    return true;
  }
  return false;
}

// The folder part of a mask, up to and including its last "\" or ":". In an absolute path of this
// platform "/" separates folders too; in a relative mask a "/" does not, as on Windows, so that
// "images/flower.wmf" is searched in "images" but recorded without its folder.
QString maskFolderPart(const QString& mask) {
  const bool absolute = mask.startsWith(QLatin1Char('/'));
  for (qsizetype i = mask.size() - 1; i >= 0; --i) {
    const QChar c = mask[i];
    if (c == QLatin1Char('\\') || (absolute ? c == QLatin1Char('/') : c == QLatin1Char(':')))
      return mask.left(i + 1);
  }
  return {};
}

QString maskFilePart(const QString& mask) {
  const QString slashed = files::toSlashes(mask);
  return slashed.mid(slashed.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

namespace {

struct Collector {
  TBackupMode mode;
  QString archiveLower;
  QString archiveFull;
  QStringList names;
  QSet<QString> seen;

  void entry(const QString& entry) {
    QString mask;
    if (!splitSubfolderSwitch(entry, mask)) {
      collectMask(entry);
      return;
    }
    const QString folder = maskFolderPart(mask);
    const QString filePart = maskFilePart(mask);
    for (const QString& sub : files::findSubfolders(folder))
      this->entry(folder + sub.toLower() + QLatin1Char('\\') + filePart + QStringLiteral(" /s"));
    collectMask(mask);
  }

  void collectMask(const QString& mask) {
    const QString trimmed = mask.trimmed();
    if (trimmed.isEmpty()) return;
    const QString folder = maskFolderPart(trimmed);
    for (const QString& found : files::findFiles(trimmed)) {
      const QString name = files::expandFullPath(folder + found).toLower();
      const QString key = name.toCaseFolded();
      if (seen.contains(key)) continue;
      if (name == archiveLower || name == archiveFull) continue;
      if (mode == bmIncremental) {
        // A name that does not exist reads as "attribute set", as a failed attribute query does.
        const QString actual = files::resolveCaseInsensitive(name);
        if (!actual.isEmpty() && !files::archiveAttribute(actual)) continue;
      }
      seen.insert(key);
      names << name;
    }
  }
};

}  // namespace

QStringList TBackupFile::collectNames(const QStringList& files, const QString& archiveName) const {
  Collector collector{
      backupMode_, archiveName.toLower(), files::expandFullPath(archiveName).toLower(), {}, {}};
  for (const QString& entry : files) collector.entry(entry.toLower());
  return collector.names;
}

}  // namespace orvella
