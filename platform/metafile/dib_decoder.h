// Device-independent bitmaps embedded in metafiles: 1, 4, 8, 16, 24 and 32 bits, RLE4/RLE8, JPEG, PNG.
#pragma once

#include <QImage>
#include <cstdint>

#include "platform/metafile/le_reader.h"

namespace orvella::metafile {

// Decodes the bitmap whose header and colour table are `info` and whose pixels are `bits`; when `bits`
// is empty the pixels follow the colour table inside `info`. With paletteIndices the colour table holds
// 16-bit palette indices (shown as greys). Throws Damaged for bad or absurd headers and short data.
QImage decodeDib(const LeReader& info, const LeReader& bits, bool paletteIndices);

// The same for a monochrome Windows 3 bitmap of a pattern brush (bits per pixel 1 only).
QImage decodeBitmap16(const LeReader& record);

}  // namespace orvella::metafile
