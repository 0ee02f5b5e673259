// A picture loaded from a file (bitmap, icon, JPEG, Windows metafile, enhanced metafile), drawn into a box.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/pictures/picture_format.h"
#include "platform/pictures/picture_source.h"

namespace orvella {

class Picture {
 public:
  Picture() = default;  // empty: draws nothing

  // Loads the file; the format is chosen by content first, then by extension. A file that exists but
  // cannot be read or decoded raises an Error whose message names the file.
  static Picture load(const QString& path);
  // The same, but when the file holds the bytes of previous, loaded from the same path before,
  // previous is returned as it is instead of being decoded again.
  static Picture load(const QString& path, const Picture& previous);

  // The same from bytes already in memory (a report file keeps the pictures' original bytes).
  // fileName only names the picture in messages and hints the format.
  static Picture fromBytes(const QByteArray& bytes, const QString& fileName);

  bool isNull() const { return !source_; }
  QSizeF naturalSize() const;  // screen pixels at 96 dpi; empty for an empty picture

  // Stretched onto target. With stretch off a caller draws into QRectF(topLeft, naturalSize carried
  // to its scale) under a clip of the box.
  void draw(QPainter& painter, const QRectF& target) const;
  // Decodes into the raster cache what drawing onto this many device pixels needs, on any thread
  // (PictureSource::prepare).
  void prepare(QSize devicePixels) const;

  // The original file bytes and name, shared, never copied.
  const QByteArray& bytes() const { return bytes_; }
  const QString& fileName() const { return fileName_; }
  PictureFormat format() const { return format_; }

 private:
  std::shared_ptr<const PictureSource> source_;
  QByteArray bytes_;
  QString fileName_;
  PictureFormat format_ = PictureFormat::Unknown;
};

// Decoders, one per family. Each raises Error (message naming fileName) on damaged input and never
// allocates without bound.
std::shared_ptr<const PictureSource> decodeMetafile(const QByteArray& bytes, const QString& fileName);
std::shared_ptr<const PictureSource> decodeRaster(const QByteArray& bytes, const QString& fileName);

}  // namespace orvella
