// TBackupFile: packs a list of files into a theme archive and unpacks them again.
//
// An archive is a header (title, total size, file count) and entries (name, packed DOS time stamp, the
// file's data as a chunk of separately compressed blocks of at most 16384 bytes), ended by a zero
// length; a large archive may continue in volume files. See backup_file.cpp and restore_file.cpp.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QIODevice;

namespace orvella {

enum TBackupMode { bmAll, bmIncremental };
enum TCompressionLevel { clFastest, clNone, clDefault, clMax };
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

namespace files {
class FolderListings;
}

namespace archive {
class BlockDeflater;
class BlockInflater;
struct PendingFile;
}  // namespace archive

class TBackupFile {
 public:
  // The archive name that stands for the caller's streams (setWriteStream, setReadStream).
  static inline const QString kStreamName = QStringLiteral(":STREAM");

  // The most a restore writes: an archive that declares or holds more bytes or files than this is
  // refused with a message. A theme is a settings file and a few pictures.
  static constexpr qint64 kMaxRestoreBytes = qint64(256) << 20;
  static constexpr int kMaxRestoreFiles = 1000;

  // Error codes reported at the end of an operation.
  enum ErrorCode { NoError = 0, FileError = 1, ArchiveWriteError = 4, CompressionError = 6, FileIdError = 7 };

  using ProgressEvent = std::function<void(const QString& fileName, int percent, bool& continueFlag)>;
  using NeedDiskEvent = std::function<void(quint16 disk, bool& continueFlag)>;
  using RestoreFileEvent = std::function<void(QString& fileName, qint32 stamp, bool& doRestore)>;
  using FileRestoredEvent = std::function<void(QString& fileName, QFile& stream)>;
  using ErrorEvent = std::function<void(int code, const QString& message)>;

  TBackupFile();
  ~TBackupFile();
  TBackupFile(const TBackupFile&) = delete;
  TBackupFile& operator=(const TBackupFile&) = delete;

  // Packs the files and masks (each optionally followed by " /s") into the archive; true when the end of
  // the archive was written.
  bool Backup(const QStringList& files, const QString& archiveName);
  // Unpacks the archive into the folder (empty: the stored paths); true when no error code was set and
  // nothing stopped it. A missing archive returns false at once.
  bool Restore(const QString& archiveName, const QString& targetFolder);

  // Settings.
  QString Version() const { return QStringLiteral("5.00"); }
  void setVersion(const QString&) {}
  const QString& BackupTitle() const { return backupTitle_; }
  void setBackupTitle(const QString& title) { backupTitle_ = title; }
  TBackupMode BackupMode() const { return backupMode_; }
  void setBackupMode(TBackupMode mode);
  TCompressionLevel CompressionLevel() const { return compressionLevel_; }
  void setCompressionLevel(TCompressionLevel level) { compressionLevel_ = level; }
  TRestoreMode RestoreMode() const { return restoreMode_; }
  void setRestoreMode(TRestoreMode mode) { restoreMode_ = mode; }
  qint64 MaxSize() const { return maxSize_; }
  void setMaxSize(qint64 bytes) { maxSize_ = bytes; }
  bool SetArchiveFlag() const { return setArchiveFlag_; }
  void setSetArchiveFlag(bool on) { setArchiveFlag_ = on; }
  bool RestoreFullPath() const { return restoreFullPath_; }
  void setRestoreFullPath(bool on) { restoreFullPath_ = on; }
  bool SaveFileID() const { return saveFileId_; }
  void setSaveFileID(bool on) { saveFileId_ = on; }
  qint64 MaxRestoreBytes() const { return maxRestoreBytes_; }
  void setMaxRestoreBytes(qint64 bytes) { maxRestoreBytes_ = bytes; }
  int MaxRestoreFiles() const { return maxRestoreFiles_; }
  void setMaxRestoreFiles(int count) { maxRestoreFiles_ = count; }

  // Events. The archive never runs the program's event loop itself: a window that wants to show the
  // progress, or to let the user stop, does so from OnProgress.
  ProgressEvent OnProgress;
  NeedDiskEvent OnNeedDisk;
  RestoreFileEvent OnRestoreFile;
  FileRestoredEvent OnFileRestored;
  ErrorEvent OnError;

  // Run-time state.
  bool Continue() const { return continue_; }
  void setContinue(bool on) { continue_ = on; }
  bool Busy() const { return busy_; }
  int ErrorCode() const { return errorCode_; }
  qint64 TotalSize() const { return totalSize_; }
  qint64 BytesProcessed() const { return bytesProcessed_; }
  const QString& CurrentFile() const { return currentFile_; }
  int FilesCount() const { return filesCount_; }
  int Volume() const { return volume_; }
  QIODevice* WriteStream() const { return writeStream_; }
  void setWriteStream(QIODevice* stream) { writeStream_ = stream; }
  QIODevice* ReadStream() const { return readStream_; }
  void setReadStream(QIODevice* stream) { readStream_ = stream; }

  // The zlib level of a compression setting: 1, 0, -1 (zlib's default) or 9.
  static int zlibLevel(TCompressionLevel level);
  // The regular file at path begins as an archive does (a title length that Restore accepts), which
  // no text file does.
  static bool beginsAsArchive(const QString& path);
  // The message of an error code ("Błąd odczytu pliku", ...).
  static QString errorMessage(int code);
  // The message reported for the last error code: its message, then what it is about (the entry and
  // the cause), when known.
  QString ErrorText() const;

 private:
  friend class BusyScope;

  // Backup.
  QStringList collectNames(const QStringList& files, const QString& archiveName) const;
  bool writeFileIdentities(QStringList& names, QString& fidFile);
  void storeFile(const QString& path, const QString& storedName, bool fileList, qint64 limit,
                 const QString& archiveName);
  void writeChunk(QFile& source, qint64& remaining, const QString& archiveName);
  bool nextWriteVolume(const QString& archiveName);

  // Restore.
  void restoreEntry(const QString& name, const QString& targetFolder);
  void continueVolume(const QByteArray& record, const QString& archiveName);
  QString targetName(const QString& name, const QString& targetFolder, bool& refused) const;
  bool restoreDecision(const QString& target, qint32 stamp);
  void restoreInto(const QString& entry, const QString& target, qint32 stamp);
  void writePendingChunk();
  void commitPending();
  void readChunk(QFile* target);
  [[noreturn]] void refuseTooLarge() const;

  // Shared.
  void fail(int code, const QString& detail = QString());
  void progress(const QString& fileName, qint64 done);
  // False when there is nobody to ask (no handler, no window): the continue flag is then off.
  bool askForDisk(quint16 disk);
  void report();

  QString backupTitle_;
  TBackupMode backupMode_ = bmAll;
  TCompressionLevel compressionLevel_ = clFastest;
  TRestoreMode restoreMode_ = rmAll;
  qint64 maxSize_ = 0;
  bool setArchiveFlag_ = false;
  bool restoreFullPath_ = false;
  bool saveFileId_ = false;
  qint64 maxRestoreBytes_ = kMaxRestoreBytes;
  int maxRestoreFiles_ = kMaxRestoreFiles;

  bool continue_ = false;
  bool busy_ = false;
  int errorCode_ = NoError;
  QString errorDetail_;  // what the error code is about
  qint64 totalSize_ = 0;
  qint64 bytesProcessed_ = 0;
  QString currentFile_;
  int filesCount_ = 0;
  int volume_ = 0;
  QIODevice* writeStream_ = nullptr;
  QIODevice* readStream_ = nullptr;

  // The archive being written or read: the caller's stream or volume_file_; the name it was given.
  QIODevice* archive_ = nullptr;
  QString archiveName_;
  int filesStarted_ = 0;  // files a restore began to write
  // The folders a restore writes into, each listed once.
  std::unique_ptr<files::FolderListings> listings_;
  QFile volumeFile_;
  int blocksInVolume_ = 0;
  // The file of the last restored entry. It takes its target's name when the next entry or the end of
  // the archive shows that no volume record continues it; any failure drops it.
  std::unique_ptr<archive::PendingFile> pending_;
  // Two fixed buffers serve every block.
  std::unique_ptr<unsigned char[]> input_;
  std::unique_ptr<unsigned char[]> output_;
  std::unique_ptr<archive::BlockDeflater> deflater_;
  std::unique_ptr<archive::BlockInflater> inflater_;
};

}  // namespace orvella
