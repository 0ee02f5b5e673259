// New, Open and Save of themes through the working directory "temp" beside the program.
#pragma once

#include <QString>
#include <functional>

#include "platform/errors/message_texts.h"
#include "theme/archive/backup_file.h"
#include "theme/model/theme.h"

namespace orvella {

class ThemeFiles {
 public:
  // programDir: the program file's folder, without a trailing separator. The working directory is
  // "temp" there, unless another is given (the headless export uses a folder of its own, so that it
  // never disturbs a running program's theme).
  ThemeFiles(Theme& theme, QString programDir, QString workingDir = QString());

  QString workingDir() const;        // programDir + "/temp"
  QString settingsFile() const;      // programDir + "/temp/holidays.ini"
  TBackupFile& archive() { return bf_; }
  // An archive is being written or read: the window stays usable meanwhile, but New, Open and Save
  // wait until it is done (they do nothing until then).
  bool busy() const { return bf_.Busy(); }

  // Deletes the settings file and the pictures the theme names by bare file name from the working
  // directory. Whatever the theme holds, nothing outside the working directory is ever deleted.
  void delete_temp();
  // The default theme; the month backgrounds stay as they were. Creates the working directory when
  // it is missing.
  void new_theme();
  // Makes the file at path the current theme: a settings file (one with a month section or [main],
  // and no archive's header) is copied in, anything else is restored as a theme archive. The theme's
  // files are restored and read aside first, and take the place of the current theme's files only when
  // all went well: a file that cannot be read (also a pipe, a folder, or settings too large), an archive
  // error or a settings value that cannot be read raises Error (the reason, the archive's message or the
  // settings message) and leaves the current theme and the working directory as they were. Returns
  // false, changing nothing, when a progress handler stopped it. Pictures the settings name that are
  // not in the working directory are left out of the theme and named in notice(), as are linked
  // national holidays files that are not there or cannot be read.
  bool load_theme(const QString& path);
  // What the last Open has to tell although it succeeded (pictures and linked holidays files left
  // out, a line each); empty when nothing.
  const QString& notice() const { return notice_; }
  // Writes the settings file, then the archive at path when path is not empty. The archive is written
  // beside path and replaces it only when complete, so a failed save leaves the old file as it was; the
  // replacement keeps the old file's mode, a new archive gets the mode of any new file. An archive
  // error raises Error with its message. Returns true when an archive was written, false when nothing
  // was asked for or a progress handler stopped it.
  bool save_theme(const QString& path);

  // The name a settings or archive file keeps for the program's pictures beside the program.
  static constexpr const char* kLadybugPicture = "ladybug.wmf";

  // %1 the pictures' names as the theme gives them.
  static constexpr MessageText msg_PicturesLeftOut{
      "msg_PicturesLeftOut", "Motyw nie zawiera obrazów, które wymienia, więc zostają pominięte: %1"};
  // %1 the names of the linked national holidays files the theme does not hold, or holds damaged.
  static constexpr MessageText msg_LinkedHolidaysLeftOut{
      "msg_LinkedHolidaysLeftOut",
      "Motyw nie zawiera dołączonych plików świąt albo nie można ich odczytać, więc zostają pominięte: %1"};

 private:
  QString inWorkingDir(const QString& name) const;
  // Restores the archive at path into folder; an error the archive reports by code is raised as Error.
  bool restore(const QString& path, const QString& folder);
  Theme& theme_;
  QString programDir_;
  QString workingDir_;
  TBackupFile bf_;
  QString archiveError_;  // the message of the code the last archive operation reported
  QString notice_;
};

}  // namespace orvella
