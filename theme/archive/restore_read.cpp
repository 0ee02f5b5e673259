// Restore: reading the header and the entries, writing the files, following volume records.
#include <errno.h>
#include <string.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "platform/errors/error.h"
#include "platform/files/dos_time.h"
#include "platform/files/file_operations.h"
#include "platform/files/folder_listings.h"
#include "platform/files/path_names.h"
#include "platform/settings/text_codec.h"
#include "theme/archive/archive_blocks.h"
#include "theme/archive/archive_io.h"
#include "theme/archive/archive_messages.h"
#include "theme/archive/backup_file.h"
#include "theme/archive/backup_scopes.h"
#include "theme/archive/pending_file.h"

namespace orvella {

namespace {

// No title or name of a sound archive comes near this; longer ones are taken as damage.
constexpr qint32 kMaxNameLength = 65536;

[[noreturn]] void raise(const char* message) { throw Error(QString::fromUtf8(message)); }

// More restored bytes than the header's total: the archive is damaged or forged, and the restore
// stops before it can fill the disk.
struct TotalExceeded : Error {
  explicit TotalExceeded(const QString& archive)
      : Error(messageText(archive::msg_ArchiveBeyondTotal).arg(archive)) {}
};

// A name the file system can take for one file: no ".", "..", nothing empty, no zero character.
bool isPlainName(const QString& part) {
  return !part.isEmpty() && part != QLatin1String(".") && part != QLatin1String("..") &&
         !part.contains(QChar(0));
}

QString folderOf(const QString& path) {
  const qsizetype sep = path.lastIndexOf(QLatin1Char('/'));
  return sep < 0 ? QString() : path.left(sep + 1);
}

// Why an entry is not written over what lies under its target's name.
QString targetTaken(const QString& target) {
  if (files::isSymLink(target)) return messageText(archive::msg_EntryNameIsLink);
  if (QFileInfo(target).isDir()) return messageText(archive::msg_EntryNameIsFolder);
  return messageText(archive::msg_EntryNameIsDevice);
}

QString systemReason() { return QString::fromLocal8Bit(::strerror(errno)); }

}  // namespace

bool TBackupFile::Restore(const QString& archiveName, const QString& targetFolder) {
  // As in Backup: a call from a handler while an operation runs is turned away untouched.
  if (busy_) return false;
  QString folder = files::toSlashes(targetFolder);
  if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  const bool fromStream = archiveName == kStreamName;
  if (!fromStream && !files::fileExists(archiveName)) return false;

  BusyScope busy(*this);
  if (fromStream) {
    archive_ = readStream_;
  } else {
    volumeFile_.setFileName(files::resolveCaseInsensitive(archiveName));
    if (!volumeFile_.open(QIODevice::ReadOnly))
      throw Error(messageText(archive::msg_CannotOpenFile).arg(archiveName, volumeFile_.errorString()));
    archive_ = &volumeFile_;
  }
  errorCode_ = NoError;
  errorDetail_.clear();
  filesCount_ = 0;
  filesStarted_ = 0;
  continue_ = true;
  volume_ = 1;
  pending_.reset();
  currentFile_.clear();
  archiveName_ = archiveName;
  listings_ = std::make_unique<files::FolderListings>();

  qint32 titleLength = 0, total = 0, count = 0;
  if (!archive_ || !archive_->isReadable() || !archive::readInt32(*archive_, titleLength) ||
      titleLength < 0 || titleLength > kMaxNameLength)
    raise(archive::kHeaderReadError);
  QByteArray title(titleLength, Qt::Uninitialized);
  if (!archive::readExact(*archive_, title.data(), titleLength) || !archive::readInt32(*archive_, total) ||
      !archive::readInt32(*archive_, count))
    raise(archive::kHeaderReadError);
  // Archives hold the sum of their files' sizes, an unsigned 32-bit count.
  totalSize_ = static_cast<quint32>(total);
  if (totalSize_ > maxRestoreBytes_ || count > maxRestoreFiles_) refuseTooLarge();
  bytesProcessed_ = 0;
  inflater_ = std::make_unique<archive::BlockInflater>();

  do {
    qint32 length = 0;
    if (!archive::readInt32(*archive_, length)) raise(archive::kStreamReadError);
    if (length == 0) {
      commitPending();
      break;
    }
    if (length < 0) continue;
    if (length > kMaxNameLength) raise(archive::kInvalidArchive);
    QByteArray name(length, Qt::Uninitialized);
    if (!archive::readExact(*archive_, name.data(), length)) raise(archive::kStreamReadError);
    if (name.startsWith(archive::kVolumeRecordPrefix)) {
      continueVolume(name, archiveName);
    } else {
      commitPending();
      if (continue_) restoreEntry(decodeText(name), folder);
    }
  } while (continue_);

  pending_.reset();  // a file that was stopped half way
  if (volumeFile_.isOpen()) volumeFile_.close();
  archive_ = nullptr;
  inflater_.reset();
  listings_.reset();
  const bool result = errorCode_ == NoError && continue_;
  if (OnProgress) OnProgress(QString(), 100, continue_);
  busy_ = false;
  report();
  return result;
}

void TBackupFile::restoreEntry(const QString& name, const QString& targetFolder) {
  qint32 stamp = 0;
  if (!archive::readInt32(*archive_, stamp)) raise(archive::kStreamReadError);
  if (name == QLatin1String(archive::kFileListName)) {
    currentFile_ = name;
    readChunk(nullptr);
    return;
  }
  bool refused = false;
  QString target = targetName(name, targetFolder, refused);
  currentFile_ = target;
  if (refused) {
    // A name that would leave the target folder is treated like a file that cannot be created.
    fail(FileError,
         messageText(archive::msg_EntryNotRestored).arg(name, messageText(archive::msg_EntryNameLeaves)));
    return;
  }
  bool doRestore = restoreDecision(target, stamp);
  if (OnRestoreFile) {
    OnRestoreFile(target, stamp, doRestore);
    currentFile_ = target;
  }
  if (doRestore) {
    const QString folder = folderOf(target);
    if (!folder.isEmpty()) doRestore = files::makeFolders(folder) && files::folderExists(folder);
  }
  if (doRestore)
    restoreInto(name, target, stamp);
  else
    readChunk(nullptr);
}

QString TBackupFile::targetName(const QString& name, const QString& targetFolder, bool& refused) const {
  refused = false;
  if (targetFolder.isEmpty()) {
    // Back to the stored path, wherever it is: the caller asked for exactly that.
    const QString path = files::toSlashes(name);
    refused = !isPlainName(files::filePart(path)) || path.contains(QChar(0));
    return path;
  }
  if (!restoreFullPath_) {
    const QString part = files::filePart(name);
    refused = !isPlainName(part);
    return targetFolder + part;
  }
  // The stored folders below the target: a drive ("c:") and leading separators dropped, "." parts
  // skipped; a ".." part or a folder that is a symbolic link would lead elsewhere and is refused.
  QString rest = files::toSlashes(name);
  if (rest.size() >= 2 && rest[1] == QLatin1Char(':') && rest[0].isLetter()) rest = rest.mid(2);
  QStringList kept;
  for (const QString& part : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    if (part == QLatin1String(".")) continue;
    if (!isPlainName(part)) {
      refused = true;
      return targetFolder + files::filePart(name);
    }
    kept << part;
  }
  if (kept.isEmpty()) {
    refused = true;
    return targetFolder;
  }
  QString path = targetFolder;
  for (qsizetype i = 0; i + 1 < kept.size(); ++i) {
    path += kept[i];
    if (files::isSymLink(files::resolveExistingPart(path))) refused = true;
    path += QLatin1Char('/');
  }
  return targetFolder + kept.join(QLatin1Char('/'));
}

bool TBackupFile::restoreDecision(const QString& target, qint32 stamp) {
  if (restoreMode_ == rmAll) return true;
  const QFileInfo onDisk(listings_->resolve(target));
  const bool exists = onDisk.exists() && !onDisk.isDir();
  const bool older = exists && files::fileDosTime(onDisk.filePath()) < stamp;
  switch (restoreMode_) {
    case rmAll:
      return true;
    case rmNoOverwrite:
      return !exists;
    case rmNewer:
      return !exists || older;
    case rmExisting:
      return exists;
    case rmExistingNewer:
      return older;
  }
  return true;
}

void TBackupFile::restoreInto(const QString& entry, const QString& target, qint32 stamp) {
  if (++filesStarted_ > maxRestoreFiles_) refuseTooLarge();
  auto pending = std::make_unique<archive::PendingFile>();
  pending->entry = entry;
  pending->target = listings_->resolve(target);
  pending->stamp = stamp;
  const QString notRestored = messageText(archive::msg_EntryNotRestored);
  // Only a missing name or a regular file is replaced: a link, a folder or a device stays as it is.
  if (files::existsAsNonRegular(pending->target)) {
    fail(FileError, notRestored.arg(entry, targetTaken(pending->target)));
    return;
  }
  pending->partial = files::createFileBeside(pending->target);
  if (pending->partial.isEmpty() ||
      !files::openForWriting(pending->file, pending->partial, files::WriteMode::Truncate)) {
    fail(FileError, notRestored.arg(entry, systemReason()));
    return;
  }
  pending_ = std::move(pending);
  writePendingChunk();
}

void TBackupFile::writePendingChunk() {
  try {
    readChunk(&pending_->file);
  } catch (const TotalExceeded&) {
    throw;
  } catch (const Error& e) {
    fail(FileError, messageText(archive::msg_EntryNotRestored).arg(pending_->entry, e.message()));
  }
  // A chunk cut short by a failure or by a stop leaves a file that must not replace anything.
  if (errorCode_ != NoError || !continue_) pending_.reset();
}

void TBackupFile::commitPending() {
  if (!pending_) return;
  const std::unique_ptr<archive::PendingFile> done = std::move(pending_);
  QString restored = done->target;
  if (OnFileRestored) OnFileRestored(restored, done->file);
  files::setFileDosTime(done->file, done->stamp);
  done->file.close();
  if (!files::replaceFile(done->partial, done->target, false)) {
    fail(FileError, messageText(archive::msg_EntryNotRestored).arg(done->entry, systemReason()));
    return;
  }
  done->partial.clear();
  listings_->added(done->target);
  ++filesCount_;
}

void TBackupFile::readChunk(QFile* target) {
  char magic[4];
  if (!archive::readExact(*archive_, magic, 4)) raise(archive::kStreamReadError);
  if (QByteArray(magic, static_cast<qsizetype>(qstrnlen(magic, 4))) != "EC2") raise(archive::kInvalidArchive);
  unsigned char* input = input_.get();
  unsigned char* output = output_.get();
  for (;;) {
    qint32 length = 0;
    if (!archive::readInt32(*archive_, length)) raise(archive::kStreamReadError);
    if (length == 0) break;
    // Blocks are never longer than the buffers; a longer one is damage.
    if (length > archive::kBlockSize || length < -archive::kBlockSize) raise(archive::kInvalidArchive);
    const int size = length < 0 ? -length : length;
    if (!archive::readExact(*archive_, input, size)) raise(archive::kStreamReadError);
    if (target) {
      const unsigned char* data = input;
      int produced = size;
      if (length > 0) {
        produced = inflater_->inflate(input, size, output);
        if (produced < 0) {
          fail(CompressionError);
          break;
        }
        data = output;
      }
      if (bytesProcessed_ + produced > totalSize_) throw TotalExceeded(archiveName_);
      if (produced > 0 && target->write(reinterpret_cast<const char*>(data), produced) != produced)
        throw Error(target->errorString());
      bytesProcessed_ += produced;
    }
    if (target) progress(currentFile_, bytesProcessed_);
    if (!continue_) break;
  }
}

void TBackupFile::continueVolume(const QByteArray& record, const QString& archiveName) {
  const QByteArray digits = record.mid(9, 3);
  if (digits.size() != 3 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    raise(archive::kInvalidArchive);
  // Volumes only go forward; a record naming this volume or an earlier one would ask for volumes
  // without end.
  const quint16 disk = static_cast<quint16>(digits.toInt());
  if (disk <= volume_) raise(archive::kInvalidArchive);
  if (archive_ != &volumeFile_) {
    // A stream has no further volume to go on with.
    continue_ = false;
    return;
  }
  volumeFile_.close();
  const QString next = files::changeExtension(archiveName, QLatin1Char('.') + QString::fromLatin1(digits));
  // A volume that lies beside the archive is read at once; only one that is not there is asked for.
  while (!files::fileExists(next)) {
    if (!askForDisk(disk)) throw Error(messageText(archive::msg_VolumeMissing).arg(next));
    if (!continue_) return;
  }
  volumeFile_.setFileName(files::resolveCaseInsensitive(next));
  if (!volumeFile_.open(QIODevice::ReadOnly))
    throw Error(messageText(archive::msg_CannotOpenFile).arg(next, volumeFile_.errorString()));
  volume_ = disk;
  if (pending_)
    writePendingChunk();
  else
    readChunk(nullptr);
}

bool TBackupFile::beginsAsArchive(const QString& path) {
  QFile file(path);
  qint32 titleLength = -1;
  return file.open(QIODevice::ReadOnly) && archive::readInt32(file, titleLength) && titleLength >= 0 &&
         titleLength <= kMaxNameLength;
}

void TBackupFile::refuseTooLarge() const {
  throw Error(messageText(archive::msg_ArchiveTooLarge)
                  .arg(archiveName_, QString::number(maxRestoreBytes_ >> 20), QString::number(maxRestoreFiles_)));
}

}  // namespace orvella
