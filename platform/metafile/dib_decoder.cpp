// Decoding of bitmaps embedded in metafiles, with every size checked before anything is allocated.
#include "platform/metafile/dib_decoder.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <vector>

#include "platform/metafile/damaged.h"
#include "platform/metafile/metafile_program.h"

namespace orvella::metafile {
namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5,
                        kBiAlphaBitfields = 6;

struct Mask {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Mask(std::uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1u)) ++shift;
    while (bits < 32 - shift && ((m >> (shift + bits)) & 1u)) ++bits;
  }
  int value(std::uint32_t pixel) const {
    if (!mask || !bits) return 0;
    const std::uint32_t v = (pixel & mask) >> shift;
    const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1u);
    return int((std::uint64_t(v) * 255u + max / 2) / max);
  }
};

void checkSize(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) damaged(QStringLiteral("a bitmap has no size"));
  if (width > limits::kMaxBitmapSide || height > limits::kMaxBitmapSide ||
      width * height > limits::kMaxBitmapPixels)
    damaged(QStringLiteral("a bitmap is too large (%1 × %2)").arg(width).arg(height));
}

QImage decodeEmbedded(const LeReader& data, const char* format, std::int64_t width, std::int64_t height) {
  QByteArray bytes = data.bytes(0, data.size());
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  const QSize size = reader.size();
  if (!size.isValid()) damaged(QStringLiteral("an embedded %1 bitmap cannot be decoded").arg(format));
  checkSize(size.width(), size.height());
  QImage image = reader.read();
  if (image.isNull()) damaged(QStringLiteral("an embedded %1 bitmap cannot be decoded").arg(format));
  return image.convertToFormat(QImage::Format_ARGB32);
}

// Run-length decoding into one palette index a pixel; out of range runs are cut, a short stream ends it.
void decodeRle(const LeReader& data, bool four, std::int64_t width, std::int64_t height,
               std::vector<std::uint8_t>& indices) {
  std::int64_t x = 0, y = 0, at = 0;  // y counts rows as stored (bottom-up)
  auto put = [&](std::uint8_t index) {
    if (x < width && y < height) indices[std::size_t(y * width + x)] = index;
    ++x;
  };
  while (data.has(at, 2) && y < height) {
    const int count = data.u8(at), value = data.u8(at + 1);
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count && x < width; ++i)
        put(four ? std::uint8_t((i & 1) ? (value & 0x0F) : (value >> 4)) : std::uint8_t(value));
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (!data.has(at, 2)) break;
      x += data.u8(at);
      y += data.u8(at + 1);
      at += 2;
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      const std::int64_t bytes = four ? (value + 1) / 2 : value;
      if (!data.has(at, bytes)) break;
      for (int i = 0; i < value; ++i) {
        const std::uint8_t b = data.u8(at + (four ? i / 2 : i));
        put(four ? std::uint8_t((i & 1) ? (b & 0x0F) : (b >> 4)) : b);
      }
      at += (bytes + 1) & ~std::int64_t(1);
    }
  }
}

}  // namespace

QImage decodeDib(const LeReader& info, const LeReader& bitsIn, bool paletteIndices) {
  if (!info.has(0, 4)) damaged(QStringLiteral("a bitmap header is truncated"));
  const std::uint32_t headerSize = info.u32(0);
  std::int64_t width = 0, height = 0;
  int bitCount = 0;
  std::uint32_t compression = kBiRgb, colorsUsed = 0;
  bool topDown = false;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  std::int64_t tableAt = 0;
  int entrySize = 4;

  if (headerSize == 12) {
    if (!info.has(0, 12)) damaged(QStringLiteral("a bitmap header is truncated"));
    width = info.u16(4);
    height = info.u16(6);
    bitCount = info.u16(10);
    tableAt = 12;
    entrySize = 3;
  } else if (headerSize >= 40 && headerSize <= 1024) {
    if (!info.has(0, headerSize)) damaged(QStringLiteral("a bitmap header is truncated"));
    width = info.i32(4);
    const std::int32_t h = info.i32(8);
    topDown = h < 0;
    height = topDown ? -std::int64_t(h) : std::int64_t(h);
    bitCount = info.u16(14);
    compression = info.u32(16);
    colorsUsed = info.u32(32);
    tableAt = headerSize;
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
      if (headerSize >= 52) {
        for (int i = 0; i < 3; ++i) masks[i] = info.u32(40 + 4 * i);
        if (headerSize >= 56) masks[3] = info.u32(52);
      } else {
        const int n = compression == kBiAlphaBitfields ? 4 : 3;
        if (!info.has(40, 4 * n)) damaged(QStringLiteral("a bitmap header is truncated"));
        for (int i = 0; i < n; ++i) masks[i] = info.u32(40 + 4 * i);
        tableAt += 4 * n;
      }
    }
  } else {
    damaged(QStringLiteral("a bitmap header has an unknown size (%1)").arg(headerSize));
  }
  if (paletteIndices) entrySize = 2;

  if (compression == kBiJpeg || compression == kBiPng) {
    const LeReader data = bitsIn.size() ? bitsIn : info.sub(tableAt, info.size() - tableAt);
    return decodeEmbedded(data, compression == kBiJpeg ? "JPEG" : "PNG", width, height);
  }
  checkSize(width, height);
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    damaged(QStringLiteral("a bitmap has %1 bits a pixel").arg(bitCount));
  if ((compression == kBiRle8 && bitCount != 8) || (compression == kBiRle4 && bitCount != 4) ||
      compression > kBiAlphaBitfields)
    damaged(QStringLiteral("a bitmap has an unknown compression (%1)").arg(compression));

  // Colour table: up to 2^bits entries for indexed bitmaps; others may carry one that is skipped.
  std::int64_t tableCount = colorsUsed;
  if (bitCount <= 8) {
    const std::int64_t full = std::int64_t(1) << bitCount;
    if (tableCount == 0 || tableCount > full) tableCount = full;
  } else if (tableCount > 256) {
    tableCount = 0;
  }
  std::vector<QRgb> palette(bitCount <= 8 ? std::size_t(std::int64_t(1) << bitCount) : 0, qRgb(0, 0, 0));
  for (std::int64_t i = 0; i < tableCount && bitCount <= 8; ++i) {
    const std::int64_t at = tableAt + i * entrySize;
    if (!info.has(at, entrySize)) {
      if (bitsIn.size()) damaged(QStringLiteral("a bitmap colour table is truncated"));
      break;
    }
    if (paletteIndices) {
      const int grey = info.u16(at) & 0xFF;
      palette[std::size_t(i)] = qRgb(grey, grey, grey);
    } else {
      palette[std::size_t(i)] = qRgb(info.u8(at + 2), info.u8(at + 1), info.u8(at));
    }
  }
  const LeReader data = bitsIn.size() ? bitsIn
                                      : info.sub(tableAt + tableCount * entrySize,
                                                 info.size() - tableAt - tableCount * entrySize);

  QImage image(int(width), int(height), bitCount == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) damaged(QStringLiteral("a bitmap is too large"));
  auto rowOf = [&](std::int64_t storedRow) {
    return reinterpret_cast<QRgb*>(image.scanLine(int(topDown ? storedRow : height - 1 - storedRow)));
  };

  if (compression == kBiRle8 || compression == kBiRle4) {
    std::vector<std::uint8_t> indices(std::size_t(width * height), 0);
    decodeRle(data, compression == kBiRle4, width, height, indices);
    for (std::int64_t y = 0; y < height; ++y) {
      QRgb* row = rowOf(y);
      for (std::int64_t x = 0; x < width; ++x) row[x] = palette[indices[std::size_t(y * width + x)]];
    }
    return image;
  }

  const std::int64_t stride = ((width * bitCount + 31) / 32) * 4;
  if (!data.has(0, stride * height)) damaged(QStringLiteral("a bitmap's pixel data is truncated"));
  const bool fields = compression == kBiBitfields || compression == kBiAlphaBitfields;
  if (!fields && bitCount == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  }
  const Mask r(masks[0]), g(masks[1]), b(masks[2]), a(masks[3]);
  bool anyAlpha = false;
  for (std::int64_t y = 0; y < height; ++y) {
    const std::uint8_t* src = data.data() + y * stride;
    QRgb* row = rowOf(y);
    for (std::int64_t x = 0; x < width; ++x) {
      switch (bitCount) {
        case 1:
          row[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
          break;
        case 4:
          row[x] = palette[(x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4)];
          break;
        case 8:
          row[x] = palette[src[x]];
          break;
        case 16: {
          const std::uint32_t p = std::uint32_t(src[2 * x] | (src[2 * x + 1] << 8));
          row[x] = qRgb(r.value(p), g.value(p), b.value(p));
          break;
        }
        case 24:
          row[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
          break;
        case 32: {
          const std::uint8_t* p4 = src + 4 * x;
          const std::uint32_t p = std::uint32_t(p4[0]) | (std::uint32_t(p4[1]) << 8) |
                                  (std::uint32_t(p4[2]) << 16) | (std::uint32_t(p4[3]) << 24);
          if (fields) {
            const int alpha = masks[3] ? a.value(p) : 255;
            row[x] = qRgba(r.value(p), g.value(p), b.value(p), alpha);
          } else {
            row[x] = qRgba(p4[2], p4[1], p4[0], p4[3]);
            anyAlpha = anyAlpha || p4[3] != 0;
          }
          break;
        }
      }
    }
  }
  // Plain 32-bit bitmaps mostly leave the fourth byte zero: then they are opaque.
  if (bitCount == 32 && !fields && !anyAlpha) image = image.convertToFormat(QImage::Format_RGB32);
  return image;
}

QImage decodeBitmap16(const LeReader& record) {
  // Type, width, height, bytes a row, planes, bits a pixel, a pointer; bits follow 18 bytes later.
  if (!record.has(0, 14)) damaged(QStringLiteral("a pattern bitmap is truncated"));
  const std::int64_t width = record.i16(2), height = record.i16(4), rowBytes = record.i16(6);
  const int bitsPixel = record.u8(9);
  checkSize(width, height);
  if (bitsPixel != 1) damaged(QStringLiteral("a pattern bitmap has %1 bits a pixel").arg(bitsPixel));
  if (rowBytes * 8 < width) damaged(QStringLiteral("a pattern bitmap has a wrong row size"));
  const std::int64_t at = 14 + 18;
  if (!record.has(at, rowBytes * height)) damaged(QStringLiteral("a pattern bitmap is truncated"));
  QImage image(int(width), int(height), QImage::Format_RGB32);
  for (std::int64_t y = 0; y < height; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
    for (std::int64_t x = 0; x < width; ++x)
      row[x] = ((record.u8(at + y * rowBytes + (x >> 3)) >> (7 - (x & 7))) & 1) ? qRgb(255, 255, 255)
                                                                                : qRgb(0, 0, 0);
  }
  return image;
}

}  // namespace orvella::metafile
