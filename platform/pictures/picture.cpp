// Picture: reads the file, chooses the decoder and draws the decoded picture.
#include "platform/pictures/picture.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <new>

#include "platform/pictures/picture_error.h"
#include "platform/pictures/picture_format.h"

namespace orvella {

namespace {

// No picture the program shows comes near this; a larger file is refused before it is read.
constexpr qint64 kMaxFileBytes = qint64(512) << 20;

}  // namespace

Picture Picture::load(const QString& path) { return load(path, Picture()); }

Picture Picture::load(const QString& path, const Picture& previous) {
  const QFileInfo info(path);
  if (!info.exists()) throw pictureError(path, QStringLiteral("the file does not exist"));
  if (info.isDir()) throw pictureError(path, QStringLiteral("it is a folder, not a file"));
  // A theme may name any path: a device or a pipe would block the program or never end.
  if (!info.isFile()) throw pictureError(path, QStringLiteral("it is no regular file"));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw pictureError(path, file.errorString());
  if (file.size() > kMaxFileBytes) throw pictureError(path, QStringLiteral("the file is too large"));
  QByteArray bytes;
  try {
    bytes = file.read(file.size());  // a file that grows meanwhile is read as it was when opened
  } catch (const std::bad_alloc&) {
    throw pictureError(path, QStringLiteral("not enough memory"));
  }
  if (file.error() != QFileDevice::NoError) throw pictureError(path, file.errorString());
  if (!previous.isNull() && previous.fileName_ == path && previous.bytes_ == bytes) return previous;
  return fromBytes(bytes, path);
}

Picture Picture::fromBytes(const QByteArray& bytes, const QString& fileName) {
  if (bytes.isEmpty()) throw pictureError(fileName, QStringLiteral("the file is empty"));
  Picture picture;
  try {
    const PictureFormat format = detectPictureFormat(bytes, fileName);
    if (format == PictureFormat::Unknown)
      throw pictureError(fileName, QStringLiteral("unknown picture format"));
    picture.source_ =
        isMetafileFormat(format) ? decodeMetafile(bytes, fileName) : decodeRaster(bytes, fileName);
  } catch (const std::bad_alloc&) {
    throw pictureError(fileName, QStringLiteral("not enough memory"));
  }
  picture.bytes_ = bytes;
  picture.fileName_ = fileName;
  picture.format_ = detectPictureFormat(bytes, fileName);
  return picture;
}

QSizeF Picture::naturalSize() const { return source_ ? source_->naturalSize() : QSizeF(); }

void Picture::draw(QPainter& painter, const QRectF& target) const {
  if (!source_ || !painter.isActive() || !target.isValid()) return;
  source_->draw(painter, target);
}

void Picture::prepare(QSize devicePixels) const {
  if (source_ && !devicePixels.isEmpty()) source_->prepare(devicePixels);
}

}  // namespace orvella
