// Theme file operations: the working directory is where a theme's files live between New, Open and Save.
#include "theme/files/theme_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

void ThemeFiles::new_theme(int year) {
  if (busy()) return;
  delete_temp();
  resetTables(theme_, year);
  files::makeFolders(workingDir());
  files::copyFileNoOverwrite(programDir_ + QStringLiteral("/images/band_music.wmf"),
                             workingDir() + QStringLiteral("/band_music.wmf"));
  files::copyFileNoOverwrite(programDir_ + QStringLiteral("/images/flower.wmf"),
                             workingDir() + QStringLiteral("/flower.wmf"));
  const IniFile ini(settingsFile());
  readThemeDefaults(theme_, ini, year);
}

bool ThemeFiles::load_theme(const QString& path, int year) {
  if (busy()) return false;
  delete_temp();
  // Sized for the year at once, so that a failed Open leaves a theme a page can be composed from.
  resetTables(theme_, year);
  const IniFile source(path);
  bool complete = true;
  if (source.sectionHasKeys(QStringLiteral("1"))) {
    files::makeFolders(workingDir());
    files::copyFileNoOverwrite(path, settingsFile());
    files::copyFileNoOverwrite(programDir_ + QStringLiteral("/bierdony.wmf"),
                               workingDir() + QLatin1Char('/') + QLatin1String(kLadybugPicture));
    files::copyFileNoOverwrite(programDir_ + QStringLiteral("/kwiatek.wmf"), workingDir() + QStringLiteral("/flower.wmf"));
  } else {
    archiveError_.clear();
    complete = bf_.Restore(path, workingDir());
  }
  const IniFile ini(settingsFile());
  if (archiveError_.isEmpty()) {
    readThemeSettings(theme_, ini, year, workingDir());
    return complete;
  }
  // The archive's error explains whatever else goes wrong after it.
  const Error archiveFailed(archiveError_);
  archiveError_.clear();
  try {
    readThemeSettings(theme_, ini, year, workingDir());
  } catch (const Error&) {
  }
  throw archiveFailed;
}

bool ThemeFiles::save_theme(const QString& path, int year) {
  if (busy()) return false;
  IniFile ini(settingsFile());
  writeThemeSettings(theme_, ini, year);
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
