// The PNG format, as far as the export needs it: signature, header, resolution, image data, end. The
// image data is one zlib stream; each band is deflated on its own (zlib level 4, every row with the
// "up" filter, which on calendar pages writes files within a few per cent of the smallest settings at
// a fraction of their time) and ends on a byte boundary, so that the pieces join into one stream.
#include "app/export/png_bands.h"

#include <zlib.h>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace orvella {

namespace {

constexpr int kZlibLevel = 4;

void putBigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
  unsigned char bytes[4];
  qToBigEndian(value, bytes);
  out.insert(out.end(), bytes, bytes + 4);
}

void toRgb(const uchar* pixels, int width, unsigned char* rgb) {
  // 32-bit pixels lie in memory as blue, green, red and an unused byte.
  for (int x = 0; x < width; ++x) {
    rgb[3 * x] = pixels[4 * x + 2];
    rgb[3 * x + 1] = pixels[4 * x + 1];
    rgb[3 * x + 2] = pixels[4 * x];
  }
}

}  // namespace

PngBands::PngBands(QIODevice& out, QSize size, int dotsPerMeter, int bandRows)
    : out_(out), size_(size), bandRows_(std::clamp(bandRows, 1, std::max(size.height(), 1))) {
  if (size.isEmpty()) {
    failed_ = true;
    return;
  }
  const std::size_t rowBytes = 1 + std::size_t(size.width()) * 3;
  for (Slot& slot : slots_) {
    slot.image = QImage(size.width(), bandRows_, QImage::Format_RGB32);
    slot.image.setDotsPerMeterX(dotsPerMeter);
    slot.image.setDotsPerMeterY(dotsPerMeter);
    slot.rowsSize = rowBytes * std::size_t(bandRows_);
    slot.rows.reset(new (std::nothrow) unsigned char[slot.rowsSize]);
    slot.deflatedCapacity = compressBound(uLong(slot.rowsSize)) + 64;
    slot.deflated.reset(new (std::nothrow) unsigned char[slot.deflatedCapacity]);
    if (slot.image.isNull() || !slot.rows || !slot.deflated) failed_ = true;
  }
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<unsigned char> header;
  putBigEndian(header, std::uint32_t(size.width()));
  putBigEndian(header, std::uint32_t(size.height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, no interlace
  std::vector<unsigned char> resolution;
  putBigEndian(resolution, std::uint32_t(std::max(dotsPerMeter, 0)));
  putBigEndian(resolution, std::uint32_t(std::max(dotsPerMeter, 0)));
  resolution.push_back(1);  // per metre
  if (!failed_)
    failed_ = out_.write(reinterpret_cast<const char*>(kSignature), 8) != 8 ||
              !writeChunk("IHDR", header.data(), header.size()) ||
              (dotsPerMeter > 0 && !writeChunk("pHYs", resolution.data(), resolution.size()));
}

PngBands::~PngBands() {
  for (Slot& slot : slots_)
    if (slot.compressed.valid()) slot.compressed.wait();
}

QImage& PngBands::nextBand() {
  // The slot is free once the band that used it before is written.
  if (failed_ || rowsAdded_ >= size_.height() || !drainUntil(kSlots - 1)) return none_;
  Slot& slot = slots_[next_];
  const int rows = std::min(bandRows_, size_.height() - rowsAdded_);
  if (slot.image.height() != rows) slot.image = slot.image.copy(0, 0, size_.width(), rows);
  slot.image.fill(Qt::white);
  return slot.image;
}

bool PngBands::addBand() {
  if (failed_ || rowsAdded_ >= size_.height()) return false;
  Slot& slot = slots_[next_];
  // The row above the band's first: the last row of the band before, while that slot is unchanged.
  std::vector<unsigned char> above(std::size_t(size_.width()) * 3, 0);
  if (added_ > 0) {
    const QImage& before = slots_[(next_ + kSlots - 1) % kSlots].image;
    toRgb(before.constScanLine(before.height() - 1), size_.width(), above.data());
  }
  rowsAdded_ += slot.image.height();
  const bool last = rowsAdded_ == size_.height();
  slot.compressed = std::async(
      std::launch::async, [&slot, above = std::move(above), last, width = size_.width()]() mutable {
        const std::size_t rowBytes = 1 + std::size_t(width) * 3;
        std::vector<unsigned char> current(std::size_t(width) * 3);
        for (int y = 0; y < slot.image.height(); ++y) {
          toRgb(slot.image.constScanLine(y), width, current.data());
          unsigned char* row = slot.rows.get() + rowBytes * std::size_t(y);
          row[0] = 2;  // up
          for (std::size_t i = 0; i < current.size(); ++i)
            row[1 + i] = static_cast<unsigned char>(current[i] - above[i]);
          std::swap(current, above);
        }
        const std::size_t size = rowBytes * std::size_t(slot.image.height());
        slot.adler = std::uint32_t(adler32(adler32(0, nullptr, 0), slot.rows.get(), uInt(size)));
        z_stream z{};
        if (deflateInit2(&z, kZlibLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
        z.next_in = slot.rows.get();
        z.avail_in = uInt(size);
        z.next_out = slot.deflated.get();
        z.avail_out = uInt(slot.deflatedCapacity);
        const int result = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
        const bool ok = z.avail_in == 0 && (last ? result == Z_STREAM_END : result == Z_OK);
        slot.deflatedSize = z.total_out;
        slot.rowsSize = size;
        deflateEnd(&z);
        return ok;
      });
  ++added_;
  next_ = (next_ + 1) % kSlots;
  // The slot written next must not be drawn into before its band is compressed: it is waited for
  // when nextBand() asks for it.
  return true;
}

bool PngBands::drainUntil(std::size_t pendingAtMost) {
  while (!failed_ && added_ - written_ > pendingAtMost) {
    Slot& slot = slots_[written_ % kSlots];
    const bool last = written_ + 1 == added_ && rowsAdded_ == size_.height();
    if (!slot.compressed.get() || !writeSlot(slot, last)) failed_ = true;
    ++written_;
  }
  return !failed_;
}

bool PngBands::finish() {
  if (!drainUntil(0) || rowsAdded_ != size_.height()) return false;
  return writeChunk("IEND", nullptr, 0);
}

bool PngBands::writeSlot(Slot& slot, bool last) {
  std::vector<unsigned char> data;
  data.reserve(slot.deflatedSize + 6);
  if (written_ == 0) data = {0x78, 0x5E};  // a zlib stream: deflate, a 32 KiB window, a fast level
  data.insert(data.end(), slot.deflated.get(), slot.deflated.get() + slot.deflatedSize);
  adler_ = std::uint32_t(adler32_combine(adler_, slot.adler, z_off_t(slot.rowsSize)));
  if (last) putBigEndian(data, adler_);
  return writeChunk("IDAT", data.data(), data.size());
}

bool PngBands::writeChunk(const char* type, const unsigned char* data, std::size_t size) {
  std::vector<unsigned char> chunk;
  chunk.reserve(size + 12);
  putBigEndian(chunk, std::uint32_t(size));
  chunk.insert(chunk.end(), type, type + 4);
  if (size > 0) chunk.insert(chunk.end(), data, data + size);
  putBigEndian(chunk, std::uint32_t(crc32(crc32(0, nullptr, 0), chunk.data() + 4, uInt(size + 4))));
  return out_.write(reinterpret_cast<const char*>(chunk.data()), qint64(chunk.size())) ==
         qint64(chunk.size());
}

}  // namespace orvella
