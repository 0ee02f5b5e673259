// Backup: writing the header, the entries, their chunks and blocks, and the volume records.
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include "platform/errors/error.h"
#include "platform/files/archive_attribute.h"
#include "platform/files/dos_time.h"
#include "platform/files/file_operations.h"
#include "platform/files/path_names.h"
#include "platform/settings/text_codec.h"
#include "theme/archive/archive_blocks.h"
#include "theme/archive/archive_io.h"
#include "theme/archive/archive_messages.h"
#include "theme/archive/backup_file.h"
#include "theme/archive/backup_scopes.h"

namespace orvella {

namespace {

constexpr char kMagic[4] = {'E', 'C', '2', '\0'};
// A volume is full when fewer than this many bytes are left below MaxSize.
constexpr qint64 kVolumeReserve = archive::kBlockSize + 100;

// Removes the temporary file of the file identities however Backup ends.
struct RemoveOnExit {
  QString path;
  ~RemoveOnExit() {
    if (!path.isEmpty()) QFile::remove(path);
  }
};

QString volumeDigits(int volume) { return QStringLiteral("%1").arg(volume, 3, 10, QLatin1Char('0')); }

}  // namespace

bool TBackupFile::Backup(const QStringList& files, const QString& archiveName) {
  // Blocks hand control to the event loop, where a handler may call again: the running operation owns
  // the archive, the buffers and the state, so a second one is turned away untouched.
  if (busy_) return false;
  BusyScope busy(*this);
  errorCode_ = NoError;
  errorDetail_.clear();
  const bool toStream = archiveName == kStreamName;
  QStringList names = collectNames(files, archiveName);
  const int collected = static_cast<int>(names.size());
  continue_ = true;
  bytesProcessed_ = 0;
  currentFile_.clear();
  if (OnProgress) OnProgress(QString(), 0, continue_);

  // A reader trusts the total never to be exceeded, so a file stores no more than was counted here,
  // even when it grows meanwhile.
  totalSize_ = 0;
  QHash<QString, qint64> counted;
  for (const QString& name : names) {
    if (!files::fileExists(name)) continue;
    QFile file(files::resolveCaseInsensitive(name));
    if (!file.open(QIODevice::ReadOnly))
      throw Error(messageText(archive::msg_CannotOpenFile).arg(name, file.errorString()));
    counted.insert(file.fileName(), file.size());
    totalSize_ += file.size();
  }
  filesCount_ = 0;

  RemoveOnExit fidFile;
  bool withFileList = false;
  if (saveFileId_) {
    withFileList = writeFileIdentities(names, fidFile.path);
    if (!withFileList) fail(FileIdError);
  }

  volume_ = 1;
  blocksInVolume_ = 0;
  bool opened = false;
  if (toStream) {
    archive_ = writeStream_;
    opened = archive_ && archive_->isWritable();
  } else {
    volumeFile_.setFileName(archiveName);
    archive_ = &volumeFile_;
    opened = volumeFile_.open(QIODevice::WriteOnly | QIODevice::Truncate);
  }
  if (opened) {
    const QByteArray title = encodeText(backupTitle_);
    if (!archive::writeInt32(*archive_, static_cast<qint32>(title.size())) ||
        !archive::writeExact(*archive_, title.constData(), title.size()) ||
        !archive::writeInt32(*archive_, static_cast<qint32>(totalSize_)) ||
        !archive::writeInt32(*archive_, collected))
      fail(ArchiveWriteError);
  } else {
    fail(ArchiveWriteError);
  }

  bool result = false;
  if (opened) {
    deflater_ = std::make_unique<archive::BlockDeflater>(zlibLevel(compressionLevel_));
    for (qsizetype i = 0; i < names.size() && continue_; ++i) {
      const bool fileList = withFileList && i == 0;
      const QString actual = fileList ? names[i] : files::resolveCaseInsensitive(names[i]);
      if (actual.isEmpty() || !QFileInfo(actual).isFile()) continue;
      const qint64 limit = fileList ? QFileInfo(actual).size() : counted.value(actual, 0);
      storeFile(actual, fileList ? QString::fromLatin1(archive::kFileListName) : names[i].trimmed(), fileList,
                limit, archiveName);
    }
    if (continue_) {
      if (!archive::writeInt32(*archive_, 0) || (archive_ == &volumeFile_ && !volumeFile_.flush()))
        fail(ArchiveWriteError);
      else
        result = true;
    }
  }
  if (volumeFile_.isOpen()) volumeFile_.close();
  archive_ = nullptr;
  deflater_.reset();
  if (!fidFile.path.isEmpty()) {
    QFile::remove(fidFile.path);
    fidFile.path.clear();
  }
  if (OnProgress) OnProgress(QString(), 100, continue_);
  busy_ = false;
  report();
  return result;
}

bool TBackupFile::writeFileIdentities(QStringList& names, QString& fidFile) {
  QString text;
  for (const QString& name : names) {
    const QString actual = files::resolveCaseInsensitive(name);
    if (actual.isEmpty() || !QFileInfo(actual).isFile()) continue;
    text += name + QLatin1Char('\t') + QString::number(files::fileDosTime(actual)) + QLatin1Char('=') +
            QString::number(QFileInfo(actual).size()) + QStringLiteral("\r\n");
  }
  const QByteArray bytes = encodeText(text);
  fidFile = files::temporaryFileName(QStringLiteral("FID"));
  if (fidFile.isEmpty()) return false;
  QFile file(fidFile);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
      !file.flush())
    return false;
  names.prepend(fidFile);
  totalSize_ += bytes.size();
  return true;
}

void TBackupFile::storeFile(const QString& path, const QString& storedName, bool fileList, qint64 limit,
                            const QString& archiveName) {
  currentFile_ = storedName;
  const QByteArray name = fileList ? QByteArray(archive::kFileListName) : encodeText(storedName);
  if (!archive::writeInt32(*archive_, static_cast<qint32>(name.size())) ||
      !archive::writeExact(*archive_, name.constData(), name.size()))
    throw Error(QString::fromUtf8(archive::kStreamWriteError));

  // Read in whole blocks: Qt's own buffer would only add a copy.
  QFile source(path);
  if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
      !archive::writeInt32(*archive_, files::fileDosTime(path))) {
    fail(FileError);
    return;
  }
  qint64 remaining = qMin(source.size(), limit);
  do {
    writeChunk(source, remaining, archiveName);
  } while (continue_ && remaining > 0);
  source.close();
  // Only a file stored whole counts, and only it loses its archive attribute.
  if (remaining <= 0 && errorCode_ == NoError && !fileList) {
    ++filesCount_;
    if (setArchiveFlag_) files::setArchiveAttribute(path, false);
  }
}

void TBackupFile::writeChunk(QFile& source, qint64& remaining, const QString& archiveName) {
  if (!archive::writeExact(*archive_, kMagic, 4)) {
    fail(ArchiveWriteError);
    return;
  }
  // A stream is one volume; a continuation volume takes at least one block, so that a small MaxSize
  // cannot make volumes without end.
  const bool split = maxSize_ != 0 && archive_ == &volumeFile_;
  unsigned char* input = input_.get();
  unsigned char* output = output_.get();
  while (remaining > 0 && continue_) {
    if (split && !(volume_ > 1 && blocksInVolume_ == 0) && archive_->pos() >= maxSize_ - kVolumeReserve)
      break;
    const qint64 n =
        source.read(reinterpret_cast<char*>(input), qMin<qint64>(archive::kBlockSize, remaining));
    if (n < 0) {
      fail(ArchiveWriteError);
      break;
    }
    if (n == 0) {
      // The file shrank since its size was taken: what is left of it is stored.
      remaining = 0;
      break;
    }
    remaining -= n;
    bytesProcessed_ += n;
    const int packed = deflater_->compress(input, static_cast<int>(n), output);
    if (packed == archive::BlockDeflater::kFailed) {
      fail(CompressionError);
      break;
    }
    const bool raw = packed == archive::BlockDeflater::kDoesNotFit;
    const qint32 length = raw ? -static_cast<qint32>(n) : packed;
    if (!archive::writeInt32(*archive_, length) ||
        !archive::writeExact(*archive_, raw ? input : output, raw ? n : packed)) {
      fail(ArchiveWriteError);
      break;
    }
    ++blocksInVolume_;
    progress(currentFile_, bytesProcessed_);
  }
  if (!archive::writeInt32(*archive_, 0)) fail(ArchiveWriteError);
  if (remaining > 0 && continue_) nextWriteVolume(archiveName);
}

bool TBackupFile::nextWriteVolume(const QString& archiveName) {
  ++volume_;
  if (volume_ > 999) {
    fail(ArchiveWriteError);
    return false;
  }
  const QString digits = volumeDigits(volume_);
  const QByteArray record = QByteArray(archive::kVolumeRecordPrefix) + digits.toLatin1();
  if (!archive::writeInt32(*archive_, static_cast<qint32>(record.size())) ||
      !archive::writeExact(*archive_, record.constData(), record.size()) || !volumeFile_.flush()) {
    fail(ArchiveWriteError);
    return false;
  }
  volumeFile_.close();
  askForDisk(static_cast<quint16>(volume_));
  if (!continue_) return false;
  volumeFile_.setFileName(files::changeExtension(archiveName, QLatin1Char('.') + digits));
  if (!volumeFile_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    fail(ArchiveWriteError);
    return false;
  }
  blocksInVolume_ = 0;
  return true;
}

}  // namespace orvella
