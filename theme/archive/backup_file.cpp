// TBackupFile: settings, progress, questions and error reports shared by Backup and Restore.
#include "theme/archive/backup_file.h"


#include "platform/errors/error.h"
#include "platform/files/folder_listings.h"
#include "theme/archive/archive_blocks.h"
#include "theme/archive/archive_messages.h"
#include "theme/archive/backup_dialogs.h"
#include "theme/archive/backup_scopes.h"
#include "theme/archive/pending_file.h"

namespace orvella {

TBackupFile::TBackupFile()
    : input_(new unsigned char[archive::kBlockSize]), output_(new unsigned char[archive::kBlockSize]) {}

TBackupFile::~TBackupFile() = default;

void TBackupFile::setBackupMode(TBackupMode mode) {
  backupMode_ = mode;
  if (mode == bmIncremental) setArchiveFlag_ = true;
}

int TBackupFile::zlibLevel(TCompressionLevel level) {
  switch (level) {
    case clFastest:
      return 1;
    case clNone:
      return 0;
    case clDefault:
      return -1;
    case clMax:
      return 9;
  }
  return 1;
}

QString TBackupFile::errorMessage(int code) {
  switch (code) {
    case FileError:
      return QString::fromUtf8(archive::kFileError);
    case ArchiveWriteError:
      return QString::fromUtf8(archive::kArchiveWriteError);
    case CompressionError:
      return QString::fromUtf8(archive::kCompressionError);
    case FileIdError:
      return QString::fromUtf8(archive::kFileIdError);
  }
  return {};
}

QString TBackupFile::ErrorText() const {
  const QString message = errorMessage(errorCode_);
  return errorDetail_.isEmpty() ? message : message + QStringLiteral(": ") + errorDetail_;
}

void TBackupFile::fail(int code, const QString& detail) {
  // The first failure names the cause; whatever fails after it follows from it.
  if (errorCode_ == NoError) {
    errorCode_ = code;
    errorDetail_ = detail;
  }
  continue_ = false;
}

void TBackupFile::progress(const QString& fileName, qint64 done) {
  if (!OnProgress) return;
  int percent = 100;
  if (totalSize_ > 0)
    percent = static_cast<int>(qBound<qint64>(qint64(0), done * 100 / totalSize_, qint64(100)));
  OnProgress(fileName, percent, continue_);
}

bool TBackupFile::askForDisk(quint16 disk) {
  if (OnNeedDisk) {
    OnNeedDisk(disk, continue_);
    return true;
  }
  if (!BackupFileDialogs::askOkCancel) {
    continue_ = false;
    return false;
  }
  continue_ = BackupFileDialogs::askOkCancel(
      formatMessage(QString::fromUtf8(archive::kInsertDisk), QString::number(disk)));
  return true;
}

void TBackupFile::report() {
  if (errorCode_ == NoError) return;
  const QString message = ErrorText();
  if (OnError)
    OnError(errorCode_, message);
  else if (BackupFileDialogs::showError)
    BackupFileDialogs::showError(message);
}

BusyScope::BusyScope(TBackupFile& file) : file_(file) { file_.busy_ = true; }

BusyScope::~BusyScope() {
  file_.pending_.reset();
  file_.listings_.reset();
  if (file_.volumeFile_.isOpen()) file_.volumeFile_.close();
  file_.archive_ = nullptr;
  file_.busy_ = false;
}

}  // namespace orvella
