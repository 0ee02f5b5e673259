// Icon decoding: the directory, its bitmap entries (decoded here, bounded) and PNG entries (Qt).
#include "platform/pictures/icon_decoder.h"

#include <algorithm>
#include <vector>

#include "platform/pictures/byte_reader.h"
#include "platform/pictures/picture_error.h"
#include "platform/pictures/raster_limits.h"

namespace orvella {

namespace {

constexpr std::int64_t kDirectoryHeader = 6;
constexpr std::int64_t kDirectoryEntry = 16;
const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

struct IconEntry {
  int width = 0;  // as the directory claims; only used to choose
  int height = 0;
  int bitCount = 0;
  std::int64_t offset = 0;
  std::int64_t size = 0;
};

std::uint32_t bigEndian32(const QByteArray& b, int at) {
  const auto* d = reinterpret_cast<const unsigned char*>(b.constData());
  return (std::uint32_t(d[at]) << 24) | (std::uint32_t(d[at + 1]) << 16) | (std::uint32_t(d[at + 2]) << 8) |
         std::uint32_t(d[at + 3]);
}

QImage decodeIconPng(const QByteArray& entry, QString* reason) {
  // Signature, then the IHDR chunk: length, "IHDR", width, height (big-endian).
  if (entry.size() < 24 || entry.mid(12, 4) != QByteArrayLiteral("IHDR")) {
    *reason = QStringLiteral("damaged PNG image in the icon");
    return {};
  }
  const std::uint32_t w = bigEndian32(entry, 16);
  const std::uint32_t h = bigEndian32(entry, 20);
  if (w == 0 || h == 0 || w > raster_limits::kMaxIconSide || h > raster_limits::kMaxIconSide) {
    *reason = QStringLiteral("the icon image is too large (%1 × %2 pixels)").arg(w).arg(h);
    return {};
  }
  QImage image = QImage::fromData(entry, "PNG");
  if (image.isNull()) *reason = QStringLiteral("damaged PNG image in the icon");
  return image;
}

}  // namespace

QImage decodeIconBitmap(const QByteArray& entry, QString* reason) {
  const ByteReader r(entry);
  const std::uint32_t headerSize = r.u32(0);
  if (headerSize < 40 || headerSize > 124 || !r.has(0, headerSize)) {
    *reason = QStringLiteral("damaged bitmap header in the icon");
    return {};
  }
  const std::int64_t width = r.i32(4);
  const std::int64_t doubledHeight = r.i32(8);  // colour rows and mask rows together
  const int bits = r.u16(14);
  const std::uint32_t compression = r.u32(16);
  const std::uint32_t colorsUsed = r.u32(32);
  const std::int64_t height = doubledHeight / 2;
  if (width <= 0 || height <= 0 || width > raster_limits::kMaxIconSide ||
      height > raster_limits::kMaxIconSide) {
    *reason = QStringLiteral("the icon image has an impossible size (%1 × %2)").arg(width).arg(doubledHeight);
    return {};
  }
  if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
    *reason = QStringLiteral("unsupported icon image (%1 bits, compression %2)").arg(bits).arg(compression);
    return {};
  }
  std::int64_t paletteSize = 0;
  if (bits <= 8) {
    paletteSize = colorsUsed ? colorsUsed : (1 << bits);
    if (paletteSize > 256) {
      *reason = QStringLiteral("the icon image has an impossible colour table");
      return {};
    }
  }
  const std::int64_t paletteAt = headerSize;
  const std::int64_t pixelsAt = paletteAt + paletteSize * 4;
  const std::int64_t stride = ((width * bits + 31) / 32) * 4;
  if (!r.has(pixelsAt, stride * height)) {
    *reason = QStringLiteral("the icon image data ends too early");
    return {};
  }
  const std::int64_t maskAt = pixelsAt + stride * height;
  const std::int64_t maskStride = ((width + 31) / 32) * 4;
  // 32-bit images written by newer tools sometimes leave the mask out; they carry alpha instead.
  const bool hasMask = r.has(maskAt, maskStride * height);

  std::vector<QRgb> palette(std::size_t(paletteSize), qRgb(0, 0, 0));
  for (std::int64_t i = 0; i < paletteSize; ++i) {
    const std::int64_t at = paletteAt + i * 4;
    palette[std::size_t(i)] = qRgb(r.u8(at + 2), r.u8(at + 1), r.u8(at));
  }

  QImage image(int(width), int(height), QImage::Format_ARGB32);
  if (image.isNull()) {
    *reason = QStringLiteral("not enough memory");
    return {};
  }
  bool anyAlpha = false;
  const std::uint8_t* d = r.data();
  for (std::int64_t y = 0; y < height; ++y) {
    const std::uint8_t* row = d + pixelsAt + (height - 1 - y) * stride;  // rows are stored bottom-up
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
    for (std::int64_t x = 0; x < width; ++x) {
      QRgb c = 0;
      switch (bits) {
        case 1: {
          const std::size_t i = (row[x >> 3] >> (7 - (x & 7))) & 1;
          c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
          break;
        }
        case 4: {
          const std::size_t i = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
          c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
          break;
        }
        case 8:
          c = std::size_t(row[x]) < palette.size() ? palette[row[x]] : qRgb(0, 0, 0);
          break;
        case 16: {
          const int v = row[2 * x] | (row[2 * x + 1] << 8);  // 5-5-5
          c = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
          break;
        }
        case 24:
          c = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
          break;
        case 32:
          c = qRgba(row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]);
          anyAlpha = anyAlpha || row[4 * x + 3] != 0;
          break;
      }
      out[x] = c;
    }
  }
  // Without an alpha channel of its own, the mask says which pixels are transparent.
  const bool useAlpha = bits == 32 && anyAlpha;
  for (std::int64_t y = 0; y < height && !useAlpha; ++y) {
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
    const std::uint8_t* mask = hasMask ? d + maskAt + (height - 1 - y) * maskStride : nullptr;
    for (std::int64_t x = 0; x < width; ++x) {
      const bool transparent = mask && ((mask[x >> 3] >> (7 - (x & 7))) & 1);
      out[x] = transparent ? qRgba(0, 0, 0, 0) : (out[x] | 0xFF000000u);
    }
  }
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage decodeIconFile(const QByteArray& bytes, const QString& fileName) {
  const ByteReader r(bytes);
  if (!r.has(0, kDirectoryHeader) || r.u16(0) != 0 || r.u16(2) != 1)
    throw pictureError(fileName, QStringLiteral("not an icon file"));
  const int count = r.u16(4);
  if (count == 0) throw pictureError(fileName, QStringLiteral("the icon holds no image"));

  // A directory that claims more entries than the file holds is read as far as it goes.
  std::vector<IconEntry> entries;
  for (int i = 0; i < count && r.has(kDirectoryHeader + i * kDirectoryEntry, kDirectoryEntry); ++i) {
    const std::int64_t at = kDirectoryHeader + i * kDirectoryEntry;
    IconEntry e;
    e.width = r.u8(at) ? r.u8(at) : 256;
    e.height = r.u8(at + 1) ? r.u8(at + 1) : 256;
    e.bitCount = r.u16(at + 6);
    e.size = r.u32(at + 8);
    e.offset = r.u32(at + 12);
    if (e.size > 0 && r.has(e.offset, e.size)) entries.push_back(e);
  }
  if (entries.empty())
    throw pictureError(fileName, QStringLiteral("the icon directory names no image inside the file"));

  std::stable_sort(entries.begin(), entries.end(), [](const IconEntry& a, const IconEntry& b) {
    const int areaA = a.width * a.height, areaB = b.width * b.height;
    return areaA != areaB ? areaA > areaB : a.bitCount > b.bitCount;
  });
  QString firstReason;
  for (const IconEntry& e : entries) {
    const QByteArray entry = QByteArray::fromRawData(bytes.constData() + e.offset, qsizetype(e.size));
    QString reason;
    QImage image =
        entry.startsWith(kPngSignature) ? decodeIconPng(entry, &reason) : decodeIconBitmap(entry, &reason);
    if (!image.isNull()) return image;
    if (firstReason.isEmpty()) firstReason = reason;
  }
  throw pictureError(fileName, firstReason);
}

}  // namespace orvella
