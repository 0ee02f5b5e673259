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

// Filters the rows of band into PNG's 8-bit RGB rows, each the difference to the row above ("up";
// above holds the row over the band's first, zeros for the image's first), and deflates them one by
// one into out. The piece ends on a byte boundary, or ends the stream when it is the last.
bool compress(const QImage& band, std::vector<unsigned char>& above, bool last,
              std::vector<unsigned char>& out, std::uint64_t& filteredSize, std::uint32_t& adler) {
  const int width = band.width();
  const std::size_t rowBytes = 1 + std::size_t(width) * 3;
  std::vector<unsigned char> current(std::size_t(width) * 3), row(rowBytes);
  std::vector<unsigned char> buffer(64 * 1024);
  out.clear();
  adler = std::uint32_t(adler32(0, nullptr, 0));
  filteredSize = rowBytes * std::uint64_t(band.height());
  z_stream z{};
  if (deflateInit2(&z, kZlibLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  bool ok = true;
  for (int y = 0; y < band.height() && ok; ++y) {
    toRgb(band.constScanLine(y), width, current.data());
    row[0] = 2;  // up
    for (std::size_t i = 0; i < current.size(); ++i)
      row[1 + i] = static_cast<unsigned char>(current[i] - above[i]);
    std::swap(current, above);
    adler = std::uint32_t(adler32(adler, row.data(), uInt(rowBytes)));
    const int flush = y + 1 < band.height() ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
    z.next_in = row.data();
    z.avail_in = uInt(rowBytes);
    int result = Z_OK;
    do {
      z.next_out = buffer.data();
      z.avail_out = uInt(buffer.size());
      result = deflate(&z, flush);
      out.insert(out.end(), buffer.data(), buffer.data() + (buffer.size() - z.avail_out));
    } while (result == Z_OK && (z.avail_out == 0 || flush == Z_FINISH));
    ok = z.avail_in == 0 &&
         (flush == Z_FINISH ? result == Z_STREAM_END : result == Z_OK || result == Z_BUF_ERROR);
  }
  deflateEnd(&z);
  return ok;
}

}  // namespace

PngBands::PngBands(QIODevice& out, QSize size, int dotsPerMeter, int bandRows)
    : out_(out), size_(size), bandRows_(std::clamp(bandRows, 1, std::max(size.height(), 1))) {
  if (size.isEmpty()) {
    failed_ = true;
    return;
  }
  // As many slots as there are bands, up to kSlots.
  const int bands = (size.height() + bandRows_ - 1) / bandRows_;
  for (std::size_t i = 0; i < kSlots && int(i) < bands; ++i) {
    Slot& slot = slots_[i];
    slot.image = QImage(size.width(), bandRows_, QImage::Format_RGB32);
    slot.image.setDotsPerMeterX(dotsPerMeter);
    slot.image.setDotsPerMeterY(dotsPerMeter);
    if (slot.image.isNull()) failed_ = true;
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
  slot.compressed = std::async(std::launch::async, [&slot, above = std::move(above), last]() mutable {
    return compress(slot.image, above, last, slot.deflated, slot.filteredSize, slot.adler);
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
  data.reserve(slot.deflated.size() + 6);
  if (written_ == 0) data = {0x78, 0x5E};  // a zlib stream: deflate, a 32 KiB window, a fast level
  data.insert(data.end(), slot.deflated.begin(), slot.deflated.end());
  adler_ = std::uint32_t(adler32_combine(adler_, slot.adler, z_off_t(slot.filteredSize)));
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
