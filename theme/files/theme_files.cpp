// Theme file operations: the working directory is where a theme's files live between New, Open and Save.
#include "theme/files/theme_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <utility>

#include "platform/errors/error.h"
#include "platform/files/file_operations.h"
#include "platform/files/path_names.h"
#include "platform/settings/ini_file.h"
#include "theme/model/holiday_table.h"
#include "theme/model/theme_settings.h"

namespace orvella {

ThemeFiles::ThemeFiles(Theme& theme, QString programDir, QString workingDir)
    : theme_(theme),
      programDir_(std::move(programDir)),
      workingDir_(workingDir.isEmpty() ? programDir_ + QStringLiteral("/temp") : std::move(workingDir)) {
  // The program's archives: one volume, every file, fastest compression, everything restored by name.
  bf_.setBackupTitle(QString());
  bf_.setBackupMode(bmAll);
  bf_.setCompressionLevel(clFastest);
  bf_.setRestoreMode(rmAll);
  bf_.setMaxSize(0);
  bf_.setSetArchiveFlag(false);
  bf_.setRestoreFullPath(false);
  bf_.setSaveFileID(false);
  // Errors are the caller's to show: a message box in the window, standard error in the export.
  bf_.OnError = [this](int, const QString& message) { archiveError_ = message; };
}

QString ThemeFiles::workingDir() const { return workingDir_; }

QString ThemeFiles::settingsFile() const { return workingDir() + QLatin1Char('/') + QLatin1String(kThemeSettingsFileName); }

QString ThemeFiles::inWorkingDir(const QString& name) const {
  // Names are joined as plain text, as the theme holds them; a held full path thus names a file that
  // does not exist. The result must still lie inside the working directory.
  // Only a file directly in the working directory qualifies.
  if (name.isEmpty()) return {};
  const QString joined = QDir::cleanPath(workingDir() + QLatin1Char('/') + files::toSlashes(name));
  return QFileInfo(joined).absolutePath() == QDir::cleanPath(workingDir()) ? joined : QString();
}

void ThemeFiles::delete_temp() {
  for (const QString& name : {QString::fromLatin1(kThemeSettingsFileName), theme_.pictureHoliday, theme_.pictureLeft}) {
    const QString target = inWorkingDir(name);
    if (!target.isEmpty()) files::deleteFile(target);
  }
}

void ThemeFiles::new_theme() {
  if (busy()) return;
  delete_temp();
  resetTables(theme_);
  files::makeFolders(workingDir());
  files::copyFileNoOverwrite(programDir_ + QStringLiteral("/images/band_music.wmf"),
                             workingDir() + QStringLiteral("/band_music.wmf"));
  files::copyFileNoOverwrite(programDir_ + QStringLiteral("/images/flower.wmf"),
                             workingDir() + QStringLiteral("/flower.wmf"));
  const IniFile ini(settingsFile());
  readThemeDefaults(theme_, ini);
}

bool ThemeFiles::load_theme(const QString& path) {
  if (busy()) return false;
  QFile probe(path);
  if (!probe.open(QIODevice::ReadOnly)) throw Error(probe.errorString());
  probe.close();
  files::makeFolders(workingDir());
  // The theme's files are gathered in a folder of their own and read from there first: whatever fails
  // on the way leaves the current theme, in memory and in the working directory, as it was.
  const QTemporaryDir gathered(workingDir() + QStringLiteral("/.opening-XXXXXX"));
  if (!gathered.isValid()) throw unableToWrite(workingDir());
  const bool settingsOnly = IniFile(path).sectionHasKeys(QStringLiteral("1"));
  if (settingsOnly)
    files::copyFileNoOverwrite(path, gathered.filePath(QLatin1String(kThemeSettingsFileName)));
  else if (!restore(path, gathered.path()))
    return false;
  Theme trial = theme_;
  readThemeSettings(trial, IniFile(gathered.filePath(QLatin1String(kThemeSettingsFileName))), gathered.path());

  delete_temp();
  const QDir from(gathered.path());
  for (const QString& name : from.entryList(QDir::Files | QDir::Hidden)) {
    // A file of the same name in another case is replaced, as the archive replaces one on restore.
    const QString existing = findFileInFolder(workingDir(), name);
    files::replaceFile(from.filePath(name), existing.isEmpty() ? workingDir() + QLatin1Char('/') + name : existing,
                       false);
  }
  if (settingsOnly) {
    files::copyFileNoOverwrite(programDir_ + QStringLiteral("/bierdony.wmf"),
                               workingDir() + QLatin1Char('/') + QLatin1String(kLadybugPicture));
    files::copyFileNoOverwrite(programDir_ + QStringLiteral("/kwiatek.wmf"), workingDir() + QStringLiteral("/flower.wmf"));
  }
  readThemeSettings(theme_, IniFile(settingsFile()), workingDir());
  return true;
}

bool ThemeFiles::restore(const QString& path, const QString& folder) {
  archiveError_.clear();
  const bool complete = bf_.Restore(path, folder);
  if (!archiveError_.isEmpty()) throw Error(std::exchange(archiveError_, QString()));
  return complete;
}

bool ThemeFiles::save_theme(const QString& path) {
  if (busy()) return false;
  IniFile ini(settingsFile());
  writeThemeSettings(theme_, ini);
  ini.flush();
  if (path.isEmpty()) return false;

  const QStringList fileList{settingsFile(), theme_.pictureHoliday, theme_.pictureLeft};
  // The new archive is written beside the old one under a fresh name of its own, so that no file of
  // the user's is overwritten, and takes the old one's place only when it is complete.
  const QString partial = files::createFileBeside(path);
  if (partial.isEmpty()) throw unableToWrite(path);
  bool complete = false;
  archiveError_.clear();
  try {
    complete = bf_.Backup(fileList, partial) && bf_.ErrorCode() == 0;
  } catch (...) {
    QFile::remove(partial);
    throw;
  }
  if (!complete) {
    QFile::remove(partial);
    if (archiveError_.isEmpty()) return false;
    const Error failed(archiveError_);
    archiveError_.clear();
    throw failed;
  }
  // One rename replaces the old archive, so there is never a moment without a complete file.
  if (!files::replaceFile(partial, path, true)) {
    QFile::remove(partial);
    throw unableToWrite(path);
  }
  return true;
}

}  // namespace orvella
