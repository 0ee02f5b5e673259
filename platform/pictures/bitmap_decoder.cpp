// Bitmap file decoding: our own header checks, then Qt's bitmap reader.
#include "platform/pictures/bitmap_decoder.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/pictures/byte_reader.h"
#include "platform/pictures/picture_error.h"
#include "platform/pictures/raster_limits.h"

namespace orvella {

namespace {

constexpr std::int64_t kFileHeaderSize = 14;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct BitmapHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows stored top-down
  int bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::int64_t dataOffset = 0;
};

BitmapHeader readHeader(const ByteReader& r, const QString& fileName) {
  if (!r.has(0, kFileHeaderSize + 12))
    throw pictureError(fileName, QStringLiteral("the bitmap header is incomplete"));
  BitmapHeader h;
  h.dataOffset = r.u32(10);
  const std::uint32_t infoSize = r.u32(14);
  const std::int64_t info = kFileHeaderSize;
  if (infoSize == 12) {  // OS/2 1.x core header
    h.width = r.u16(info + 4);
    h.height = r.u16(info + 6);
    h.bitsPerPixel = r.u16(info + 10);
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 || infoSize == 108 ||
             infoSize == 124) {
    if (!r.has(info, 40)) throw pictureError(fileName, QStringLiteral("the bitmap header is incomplete"));
    h.width = r.i32(info + 4);
    h.height = r.i32(info + 8);
    h.bitsPerPixel = r.u16(info + 14);
    h.compression = r.u32(info + 16);
  } else {
    throw pictureError(fileName, QStringLiteral("unknown bitmap header (%1 bytes)").arg(infoSize));
  }
  return h;
}

void checkHeader(const BitmapHeader& h, const ByteReader& r, const QString& fileName) {
  const std::int64_t w = h.width;
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  if (w <= 0 || rows <= 0)
    throw pictureError(fileName,
                       QStringLiteral("the bitmap has no pixels (%1 × %2)").arg(h.width).arg(h.height));
  if (w > raster_limits::kMaxSide || rows > raster_limits::kMaxSide ||
      w * rows > raster_limits::kMaxDecodedPixels)
    throw pictureError(fileName, QStringLiteral("the bitmap is too large (%1 × %2 pixels)").arg(w).arg(rows));
  switch (h.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      throw pictureError(fileName, QStringLiteral("unsupported bitmap depth (%1 bits)").arg(h.bitsPerPixel));
  }
  const bool rle = h.compression == kRle8 || h.compression == kRle4;
  const bool valid = h.compression == kRgb || (h.compression == kRle8 && h.bitsPerPixel == 8) ||
                     (h.compression == kRle4 && h.bitsPerPixel == 4) ||
                     ((h.compression == kBitFields || h.compression == kAlphaBitFields) &&
                      (h.bitsPerPixel == 16 || h.bitsPerPixel == 32));
  if (!valid)
    throw pictureError(fileName, QStringLiteral("unsupported bitmap compression (%1)").arg(h.compression));
  if (rle && h.height < 0)
    throw pictureError(fileName, QStringLiteral("a compressed bitmap cannot be stored top-down"));
  if (h.dataOffset < kFileHeaderSize || h.dataOffset >= r.size())
    throw pictureError(fileName, QStringLiteral("the bitmap data lies outside the file"));
  if (rle) {
    const std::int64_t dataBytes = r.size() - h.dataOffset;
    if (w * rows > raster_limits::kRleFreePixels + dataBytes * raster_limits::kMaxRlePixelsPerByte)
      throw pictureError(fileName, QStringLiteral("the bitmap data ends too early (the file is truncated)"));
  } else {
    // Every row must be in the file; only the padding of the very last row may be missing.
    const std::int64_t rowBytes = (w * h.bitsPerPixel + 7) / 8;
    const std::int64_t stride = ((w * h.bitsPerPixel + 31) / 32) * 4;
    if (!r.has(h.dataOffset, stride * (rows - 1) + rowBytes))
      throw pictureError(fileName, QStringLiteral("the bitmap data ends too early (the file is truncated)"));
  }
}

// Qt refuses images beyond its allocation limit; our own limits are checked already, so the
// limit is raised for the one read that needs it and set back afterwards.
class AllocationLimitGuard {
 public:
  explicit AllocationLimitGuard(std::int64_t pixels) : saved_(QImageReader::allocationLimit()) {
    const int neededMb = int((pixels * 4) >> 20) + 16;
    if (saved_ > 0 && neededMb > saved_) QImageReader::setAllocationLimit(neededMb);
  }
  ~AllocationLimitGuard() { QImageReader::setAllocationLimit(saved_); }
  AllocationLimitGuard(const AllocationLimitGuard&) = delete;
  AllocationLimitGuard& operator=(const AllocationLimitGuard&) = delete;

 private:
  int saved_;
};

}  // namespace

QImage decodeBitmapFile(const QByteArray& bytes, const QString& fileName) {
  const ByteReader r(bytes);
  const BitmapHeader header = readHeader(r, fileName);
  checkHeader(header, r, fileName);

  QByteArray data = bytes;  // shared, QBuffer only reads
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  QImage image;
  {
    const AllocationLimitGuard guard(header.width * (header.height < 0 ? -header.height : header.height));
    image = reader.read();
  }
  if (image.isNull()) {
    const QString reason =
        reader.errorString().isEmpty() ? QStringLiteral("damaged bitmap data") : reader.errorString();
    throw pictureError(fileName, reason);
  }
  // The raster engine draws these two formats without converting on every paint.
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}

}  // namespace orvella
