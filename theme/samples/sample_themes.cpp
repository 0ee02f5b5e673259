// The sample themes: each archive's settings file is restored alone, into a folder of its own, to read
// the theme's name; nothing else of the archive is unpacked.
#include "theme/samples/sample_themes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

#include "platform/errors/error.h"
#include "platform/files/path_names.h"
#include "platform/settings/ini_file.h"
#include "theme/archive/backup_file.h"
#include "theme/model/theme_settings.h"

namespace orvella {

namespace {

const QString kSettingsFile = QString::fromLatin1(kThemeSettingsFileName);

QString nameInSettings(const IniFile& settings) {
  return settings.readString(QStringLiteral("main"), QStringLiteral("name"), QString());
}

// The name the theme's settings give it, or empty when they cannot be read.
QString themeName(const QString& path) {
  // A theme kept as a bare settings file, recognised as Open recognises it.
  const IniFile bare(path);
  if (bare.sectionHasKeys(QStringLiteral("1"))) return nameInSettings(bare);

  const QTemporaryDir folder;
  if (!folder.isValid()) return {};
  TBackupFile archive;
  archive.setRestoreMode(rmAll);
  archive.setRestoreFullPath(false);
  archive.OnError = [](int, const QString&) {};
  archive.OnRestoreFile = [](QString& fileName, qint32, bool& doRestore) {
    doRestore = files::filePart(fileName).compare(kSettingsFile, Qt::CaseInsensitive) == 0;
  };
  try {
    archive.Restore(path, folder.path());
  } catch (const Error&) {
    return {};
  }
  const QString settings = files::resolveCaseInsensitive(folder.filePath(kSettingsFile));
  return settings.isEmpty() ? QString() : nameInSettings(IniFile(settings));
}

QFileInfoList sampleThemeFiles(const QString& folder) {
  return QDir(folder).entryInfoList({QStringLiteral("*.hol")}, QDir::Files | QDir::Readable, QDir::Name);
}

}  // namespace

bool hasSampleThemes(const QString& folder) { return !sampleThemeFiles(folder).isEmpty(); }

QList<SampleTheme> sampleThemes(const QString& folder) {
  QList<SampleTheme> themes;
  const QFileInfoList found = sampleThemeFiles(folder);
  for (const QFileInfo& file : found) {
    QString name = themeName(file.filePath()).trimmed();
    if (name.isEmpty()) name = file.completeBaseName();
    themes.append({name, file.filePath()});
  }
  std::stable_sort(themes.begin(), themes.end(), [](const SampleTheme& a, const SampleTheme& b) {
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
  });
  return themes;
}

}  // namespace orvella
