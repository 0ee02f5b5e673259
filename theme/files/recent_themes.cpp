// The recent themes in config.ini: keys 1 to 8 of their section, each a full path in quotes, so that
// blanks at either end of a name survive.
#include "theme/files/recent_themes.h"

#include <QDir>
#include <QFileInfo>

#include "platform/errors/error.h"
#include "platform/settings/ini_file.h"

namespace orvella {

namespace {

QString fullPath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

}  // namespace

QStringList RecentThemes::files() const {
  const IniFile config(configFile_);
  const QString section = QString::fromLatin1(kSection);
  QStringList files;
  for (int i = 1; i <= kCount; ++i) {
    const QString path = config.readString(section, QString::number(i), QString());
    if (!path.isEmpty() && !files.contains(path)) files << path;
  }
  return files;
}

void RecentThemes::add(const QString& path) {
  if (path.isEmpty() || path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'))) return;
  const QString full = fullPath(path);
  QStringList list = files();
  list.removeAll(full);
  list.prepend(full);
  write(list.mid(0, kCount));
}

void RecentThemes::remove(const QString& path) {
  QStringList list = files();
  if (list.removeAll(path) + list.removeAll(fullPath(path)) > 0) write(list);
}

void RecentThemes::write(const QStringList& files) const {
  IniFile config(configFile_);
  const QString section = QString::fromLatin1(kSection);
  config.eraseSection(section);
  for (int i = 0; i < files.size(); ++i)
    config.writeString(section, QString::number(i + 1), QLatin1Char('"') + files[i] + QLatin1Char('"'));
  try {
    QDir().mkpath(QFileInfo(configFile_).absolutePath());
    config.flush();
  } catch (const Error&) {
  }
}

}  // namespace orvella
