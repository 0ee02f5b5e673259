// JPEG pictures through libjpeg-turbo: the header at load, scaled decodes at draw time.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

#include "platform/pictures/picture_source.h"

namespace orvella {

struct JpegInfo {
  QSize size;          // full pixel size
  int components = 0;  // 1 grey, 3 colour, 4 CMYK/YCCK
};

// Reads the header (no pixels) and checks that the data reaches its end marker; raises the picture
// error naming fileName for anything libjpeg refuses, an absurd size or a truncated file.
JpegInfo readJpegInfo(const QByteArray& bytes, const QString& fileName);

// libjpeg decodes in eighths of the full size (1/8 .. 8/8).
QSize jpegScaledSize(QSize full, int eighths);
// The smallest scale whose result is not smaller than needed in either direction (8 when none is).
int jpegScaleFor(QSize full, QSize needed);

// Decodes the whole picture at eighths/8 of its size into an opaque image.
QImage decodeJpeg(const QByteArray& bytes, int eighths, const QString& fileName);

// How many decodes ran and the size of the last one; tests read it to see the scaling and the cache.
struct JpegDecodeStats {
  int decodes = 0;
  QSize lastDecodedSize;
};
JpegDecodeStats& jpegDecodeStats();

// A picture source that decodes no larger than the painter's device needs and caches the result.
std::shared_ptr<const PictureSource> makeJpegSource(const QByteArray& bytes, const QString& fileName);

}  // namespace orvella
