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
#include "platform/settings/settings_file_bytes.h"
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
  // Archives made by other tools may store the settings file as "HOLIDAYS.INI": it is restored under
  // the name the program reads.
  bf_.OnRestoreFile = [](QString& target, qint32, bool&) {
    const QString name = files::filePart(target);
    if (name.compare(QLatin1String(kThemeSettingsFileName), Qt::CaseInsensitive) == 0)
      target = target.left(target.size() - name.size()) + QLatin1String(kThemeSettingsFileName);
  };
}

namespace {

// A theme kept as a bare settings file, known by its content: a month section or [main], even one
// without keys (Save writes January without any when it has no background and no holiday).
bool isThemeSettingsFile(const IniFile& ini) {
  for (int month = 1; month <= 12; ++month)
    if (ini.hasSection(QString::number(month))) return true;
  return ini.hasSection(QStringLiteral("main"));
}

}  // namespace

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
  // Linked holidays files are held by full paths: those an Open placed in the working directory go.
  for (const QString& linked : theme_.linkedHolidays)
    if (QFileInfo(linked).absolutePath() == QDir(workingDir()).absolutePath()) files::deleteFile(linked);
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
  notice_.clear();
  const SettingsFileBytes read = readSettingsFileBytes(path);
  const bool regular = read.state == SettingsFileBytes::Read || read.state == SettingsFileBytes::TooLarge;
  const bool archive = regular && TBackupFile::beginsAsArchive(path);
  // A pipe or a folder is never waited on; a file too large for settings must be an archive.
  if (read.refused() && !archive) throw read.error(path);
  QFile probe(path);
  if (!probe.open(QIODevice::ReadOnly)) throw Error(probe.errorString());
  probe.close();
  files::makeFolders(workingDir());
  // The theme's files are gathered in a folder of their own and read from there first: whatever fails
  // on the way leaves the current theme, in memory and in the working directory, as it was.
  const QTemporaryDir gathered(workingDir() + QStringLiteral("/.opening-XXXXXX"));
  if (!gathered.isValid()) throw unableToWrite(workingDir());
  const bool settingsOnly = !archive && isThemeSettingsFile(IniFile::fromBytes(read.bytes, path));
  if (settingsOnly)
    files::copyFileNoOverwrite(path, gathered.filePath(QLatin1String(kThemeSettingsFileName)));
  else if (!restore(path, gathered.path()))
    return false;
  Theme trial = theme_;
  readThemeSettings(trial, IniFile::load(gathered.filePath(QLatin1String(kThemeSettingsFileName))), gathered.path());

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
  QStringList leftOut, linkedLeftOut;
  readThemeSettings(theme_, IniFile::load(settingsFile()), workingDir(), &leftOut, &linkedLeftOut);
  QStringList notices;
  if (!leftOut.isEmpty()) notices << messageText(msg_PicturesLeftOut).arg(leftOut.join(QStringLiteral(", ")));
  if (!linkedLeftOut.isEmpty())
    notices << messageText(msg_LinkedHolidaysLeftOut).arg(linkedLeftOut.join(QStringLiteral(", ")));
  notice_ = notices.join(QLatin1Char('\n'));
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

  // Pictures by their full paths only: a relative name (the defaults' "images/flower.wmf") would be
  // looked up in the process's current folder, which is no folder of the theme's.
  QStringList fileList{settingsFile()};
  for (const QString& picture : {theme_.pictureHoliday, theme_.pictureLeft})
    if (QDir::isAbsolutePath(files::toSlashes(picture))) fileList << picture;
  for (const QString& linked : theme_.linkedHolidays)
    if (QDir::isAbsolutePath(linked)) fileList << linked;
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
