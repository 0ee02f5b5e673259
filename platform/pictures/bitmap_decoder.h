// Windows bitmap files (.bmp): the header is checked here before Qt's reader allocates anything.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace orvella {

// Decodes a whole bitmap file; raises the picture error (naming fileName) on damaged input or sizes
// beyond the raster limits.
QImage decodeBitmapFile(const QByteArray& bytes, const QString& fileName);

}  // namespace orvella
