// The files of one output, written without a name of their own until all of them are complete.
#include "preview/sinks/output_files.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "platform/errors/error.h"

namespace orvella::sinks {

OutputFile::OutputFile(const QString& target) : target_(target), file_(target) {
  OutputFiles::checkTarget(target);
  // Written where it is named or not at all: never straight into the target.
  file_.setDirectWriteFallback(false);
  if (!file_.open(QIODevice::WriteOnly)) throw unableToWrite(target, file_.errorString());
  open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 OutputFile::writeData(const char* data, qint64 size) {
  if (!failure_.isEmpty()) return -1;
  errno = 0;
  const qint64 written = file_.write(data, size);
  if (written == size && file_.error() == QFileDevice::NoError) return written;
  // The system's reason, taken before anything else can change it.
  failure_ = errno ? QString::fromLocal8Bit(std::strerror(errno)) : file_.errorString();
  return -1;
}

void OutputFile::check() const {
  if (!failure_.isEmpty()) throw unableToWrite(target_, failure_);
}

void OutputFile::flush() {
  check();
  errno = 0;
  if (!file_.flush()) throw unableToWrite(target_, errno ? QString::fromLocal8Bit(std::strerror(errno)) : file_.errorString());
}

void OutputFile::commit() {
  if (!file_.commit()) throw unableToWrite(target_, file_.errorString());
}

void OutputFiles::checkTarget(const QString& target) {
  const QFileInfo info(target);
  if (info.exists() ? !info.isFile() : info.isSymLink())
    throw unableToWrite(target, QStringLiteral("it is no regular file"));
}

OutputFile& OutputFiles::open(const QString& target) {
  files_.push_back(std::make_unique<OutputFile>(target));
  return *files_.back();
}

void OutputFiles::write(OutputFile& file, const QByteArray& bytes) {
  file.write(bytes);
  file.check();
}

void OutputFiles::commit() {
  // Every byte is on its way before any target changes: a full disk shows here, not later.
  for (const auto& file : files_) file->flush();
  for (const auto& file : files_) file->commit();
  files_.clear();
}

}  // namespace orvella::sinks
