// File and folder names with Windows habits on a case-sensitive file system.
#include "platform/files/path_names.h"

#include <QDir>
#include <QFileInfo>

#include "platform/files/wildcard.h"

namespace orvella::files {

namespace {

qsizetype lastSeparator(const QString& path, bool withColon) {
  qsizetype at = -1;
  for (qsizetype i = path.size() - 1; i >= 0; --i) {
    const QChar c = path[i];
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || (withColon && c == QLatin1Char(':'))) {
      at = i;
      break;
    }
  }
  return at;
}

// The entry of folder whose name equals name without regard to case; empty when there is none.
QString findEntryIgnoringCase(const QString& folder, const QString& name) {
  QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
  QStringList entries =
      dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  const QString wanted = name.toCaseFolded();
  for (const QString& entry : entries)
    if (entry.toCaseFolded() == wanted) return entry;
  return {};
}

}  // namespace

QString toSlashes(const QString& path) {
  QString result = path;
  result.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return result;
}

QString filePart(const QString& path) { return path.mid(lastSeparator(path, true) + 1); }

QString changeExtension(const QString& path, const QString& extension) {
  const qsizetype sep = lastSeparator(path, true);
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  if (dot > sep) return path.left(dot) + extension;
  return path + extension;
}

QString expandFullPath(const QString& path) {
  if (path.isEmpty()) return QDir::currentPath();
  return QDir::cleanPath(QDir::current().absoluteFilePath(toSlashes(path)));
}

QString resolveCaseInsensitive(const QString& path) {
  if (path.isEmpty()) return {};
  if (QFileInfo::exists(path)) return path;
  const QString slashed = toSlashes(path);
  if (QFileInfo::exists(slashed)) return slashed;

  const bool absolute = slashed.startsWith(QLatin1Char('/'));
  const QStringList parts = slashed.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QString current = absolute ? QStringLiteral("/") : QString();
  for (const QString& part : parts) {
    const QString exact = current + part;
    QString next;
    if (part == QLatin1String(".") || part == QLatin1String("..") || QFileInfo::exists(exact)) {
      next = exact;
    } else {
      const QString found = findEntryIgnoringCase(current, part);
      if (found.isEmpty()) return {};
      next = current + found;
    }
    current = next + QLatin1Char('/');
  }
  if (current.size() > 1) current.chop(1);
  return current;
}

QString resolveExistingPart(const QString& path) {
  const QString whole = resolveCaseInsensitive(path);
  if (!whole.isEmpty() || path.isEmpty()) return whole;
  const QString slashed = toSlashes(path);
  QString rest;
  QString head = slashed;
  for (;;) {
    while (head.endsWith(QLatin1Char('/')) && head.size() > 1) head.chop(1);
    const qsizetype sep = head.lastIndexOf(QLatin1Char('/'));
    if (sep < 0) return slashed;
    rest = head.mid(sep) + rest;
    head = head.left(sep == 0 ? 1 : sep);
    const QString found = resolveCaseInsensitive(head);
    if (!found.isEmpty()) return (found == QLatin1String("/") ? QString() : found) + rest;
  }
}

bool fileExists(const QString& path) {
  const QString actual = resolveCaseInsensitive(path);
  if (actual.isEmpty()) return false;
  const QFileInfo info(actual);
  return info.exists() && !info.isDir();
}

bool folderExists(const QString& path) {
  const QString actual = resolveCaseInsensitive(path);
  return !actual.isEmpty() && QFileInfo(actual).isDir();
}

QStringList findFiles(const QString& mask) {
  const QString slashed = toSlashes(mask);
  const qsizetype sep = slashed.lastIndexOf(QLatin1Char('/'));
  const QString pattern = slashed.mid(sep + 1);
  if (pattern.isEmpty()) return {};
  QString folder = QStringLiteral(".");
  if (sep >= 0) {
    folder = resolveCaseInsensitive(sep == 0 ? QStringLiteral("/") : slashed.left(sep));
    if (folder.isEmpty()) return {};
  }
  QStringList result;
  const QDir dir(folder);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
  for (const QString& entry : entries)
    if (matchesMask(entry, pattern)) result << entry;
  return result;
}

QStringList findSubfolders(const QString& folder) {
  const QString actual = folder.isEmpty() ? QStringLiteral(".") : resolveCaseInsensitive(folder);
  if (actual.isEmpty()) return {};
  return QDir(actual).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                QDir::Unsorted);
}

}  // namespace orvella::files
