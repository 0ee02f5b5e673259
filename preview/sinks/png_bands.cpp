// The PNG format, as far as the export needs it: signature, header, resolution, image data, end. The
// image data is one zlib stream. Each band is deflated on its own, every row with the "up" filter,
// and ends on a byte boundary without ending the stream, so that the pieces join into one stream,
// which an empty last block and the checksum of all rows close.
//
// Bands are deflated by ISA-L at its fastest level: about ten times zlib's speed on drawn content and
// four times on photos, where its pieces are a few per cent larger than zlib's at level 4. On drawn
// content (text, lines, flat colour) its pieces are larger than zlib's run-length ones by a seventh,
// and zlib's cost there is small: such a band is deflated by both and the smaller piece is kept.
#include "preview/sinks/png_bands.h"

#include <isa-l/igzip_lib.h>
#include <zlib.h>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace orvella {

namespace {

// A band that deflates to less than this part of its rows is drawn content rather than a photo.
constexpr std::size_t kDrawnContentRatio = 10;
// Room added to a piece's buffer whenever the compressor may need more.
constexpr std::size_t kOutputStep = 64 * 1024;

void putBigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
  unsigned char bytes[4];
  qToBigEndian(value, bytes);
  out.insert(out.end(), bytes, bytes + 4);
}

// ISA-L's vector code can return with the upper halves of the AVX registers in use, and then every
// SSE instruction that runs after it on the thread (ours, zlib's) pays for it: zlib ran at a quarter
// of its speed. Clearing them is what compiled AVX code does before it returns.
void clearUpperVectorRegisters() {
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
  static const bool avx = __builtin_cpu_supports("avx");
  if (avx) __asm__ volatile("vzeroupper");
#endif
}

// One PNG row: the filter type "up" and, for each pixel, red, green and blue less those of the pixel
// above. 32-bit pixels lie in memory as blue, green, red and an unused byte.
void filterUp(const uchar* pixels, const uchar* above, int width, unsigned char* row) {
  row[0] = 2;
  unsigned char* out = row + 1;
  for (int x = 0; x < width; ++x) {
    out[3 * x] = static_cast<unsigned char>(pixels[4 * x + 2] - above[4 * x + 2]);
    out[3 * x + 1] = static_cast<unsigned char>(pixels[4 * x + 1] - above[4 * x + 1]);
    out[3 * x + 2] = static_cast<unsigned char>(pixels[4 * x] - above[4 * x]);
  }
}

// Makes sure that out has room for kOutputStep more bytes after used. Growing by steps within the
// capacity reserved for a band touches no more memory than the piece needs.
void makeRoom(std::vector<unsigned char>& out, std::size_t used) {
  if (out.size() < used + kOutputStep) out.resize(used + kOutputStep);
}

// A band's rows deflated by ISA-L into out, one row at a time.
class IsalPiece {
 public:
  IsalPiece(isal_zstream& z, std::vector<unsigned char>& levelBuffer, std::vector<unsigned char>& out)
      : z_(z), out_(out) {
    isal_deflate_init(&z_);
    z_.level = 1;
    z_.level_buf = levelBuffer.data();
    z_.level_buf_size = std::uint32_t(levelBuffer.size());
    z_.gzip_flag = IGZIP_DEFLATE;
    z_.end_of_stream = 0;
  }

  bool add(const std::vector<unsigned char>& row, bool last) {
    z_.next_in = const_cast<unsigned char*>(row.data());
    z_.avail_in = std::uint32_t(row.size());
    // A full flush ends the piece on a byte boundary; it is complete once it left room in out.
    z_.flush = last ? FULL_FLUSH : NO_FLUSH;
    do {
      makeRoom(out_, used_);
      z_.next_out = out_.data() + used_;
      z_.avail_out = std::uint32_t(out_.size() - used_);
      const int result = isal_deflate(&z_);
      clearUpperVectorRegisters();
      used_ = std::size_t(z_.next_out - out_.data());
      if (result != COMP_OK) return false;
    } while (z_.avail_in > 0 || (last && z_.avail_out == 0));
    if (last) out_.resize(used_);
    return true;
  }

 private:
  isal_zstream& z_;
  std::vector<unsigned char>& out_;
  std::size_t used_ = 0;
};

// The same by zlib, which needs no more than run-length matches here. It gives up once its piece
// has outgrown what drawn content deflates to: it would not be kept.
class ZlibPiece {
 public:
  ZlibPiece(z_stream& z, std::vector<unsigned char>& out, std::size_t atMost)
      : z_(z), out_(out), atMost_(atMost) {
    ok_ = deflateReset(&z_) == Z_OK;
  }

  bool add(const std::vector<unsigned char>& row, bool last) {
    if (!ok_ || used_ > atMost_) return false;
    z_.next_in = const_cast<unsigned char*>(row.data());
    z_.avail_in = uInt(row.size());
    int result = Z_OK;
    do {
      makeRoom(out_, used_);
      z_.next_out = out_.data() + used_;
      z_.avail_out = uInt(out_.size() - used_);
      result = deflate(&z_, last ? Z_SYNC_FLUSH : Z_NO_FLUSH);
      used_ = std::size_t(z_.next_out - out_.data());
    } while (result == Z_OK && z_.avail_out == 0);
    ok_ = z_.avail_in == 0 && (result == Z_OK || result == Z_BUF_ERROR);
    if (last) out_.resize(used_);
    return ok_;
  }

 private:
  z_stream& z_;
  std::vector<unsigned char>& out_;
  std::size_t atMost_;
  std::size_t used_ = 0;
  bool ok_ = false;
};

}  // namespace

// The small level buffer deflates these images as well as the large one does.
PngBands::Slot::Slot() : isal(std::make_unique<isal_zstream>()), isalLevelBuffer(ISAL_DEF_LVL1_SMALL) {}

PngBands::Slot::~Slot() {
  if (compressed.valid()) compressed.wait();
  if (zlib) deflateEnd(zlib.get());
}

// zlib's state, made when a band first needs it: pages of photos never do.
bool PngBands::Slot::zlibReady() {
  if (zlib) return true;
  auto z = std::make_unique<z_stream>();
  // Raw deflate: the stream's header and checksum are written around the pieces.
  if (deflateInit2(z.get(), 1, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) return false;
  zlib = std::move(z);
  return true;
}

// Filters the rows of the slot's band and deflates them; above is the row over the band's first
// (zeros over the image's first, as the format wants). Drawn content is deflated by both compressors
// in the same pass when the band before was drawn content too, and by zlib in a pass of its own when
// that guess was wrong; a photo after drawn content costs one zlib pass that is not kept.
bool PngBands::Slot::compress(std::atomic<bool>& drawnContent) {
  const QImage& band = image;
  row.resize(1 + std::size_t(band.width()) * 3);
  filteredSize = std::uint64_t(row.size()) * std::uint64_t(band.height());
  adler = 1;
  const bool guess = drawnContent.load(std::memory_order_relaxed) && zlibReady();
  bool ok = true, zlibOk = guess;
  {
    IsalPiece isalPiece(*isal, isalLevelBuffer, deflated);
    std::optional<ZlibPiece> zlibPiece;
    if (guess) zlibPiece.emplace(*zlib, alternative, filteredSize / kDrawnContentRatio);
    for (int y = 0; y < band.height() && ok; ++y) {
      filterUp(band.constScanLine(y), y == 0 ? above.data() : band.constScanLine(y - 1), band.width(), row.data());
      const bool last = y + 1 == band.height();
      adler = isal_adler32(adler, row.data(), row.size());
      ok = isalPiece.add(row, last);  // which leaves the vector registers clean
      if (zlibPiece) zlibOk = zlibOk && zlibPiece->add(row, last);
    }
  }
  if (!ok) return false;
  const bool drawn = deflated.size() * kDrawnContentRatio < filteredSize;
  drawnContent.store(drawn, std::memory_order_relaxed);
  if (drawn && !guess && zlibReady()) {
    ZlibPiece zlibPiece(*zlib, alternative, filteredSize / kDrawnContentRatio);
    zlibOk = true;
    for (int y = 0; y < band.height() && zlibOk; ++y) {
      filterUp(band.constScanLine(y), y == 0 ? above.data() : band.constScanLine(y - 1), band.width(), row.data());
      zlibOk = zlibPiece.add(row, y + 1 == band.height());
    }
  }
  // Copied rather than swapped, so that each buffer keeps the capacity reserved for it.
  if (drawn && zlibOk && alternative.size() < deflated.size()) deflated.assign(alternative.begin(), alternative.end());
  return true;
}

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
    // Room for what any band may deflate to; only what is written to is ever in memory.
    const std::size_t filtered = (1 + std::size_t(size.width()) * 3) * std::size_t(bandRows_);
    slot.deflated.reserve(filtered + filtered / 1024 + 2 * kOutputStep);
    slot.alternative.reserve(filtered / kDrawnContentRatio + 2 * kOutputStep);
    slot.image.setDotsPerMeterX(dotsPerMeter);
    slot.image.setDotsPerMeterY(dotsPerMeter);
    if (slot.image.isNull()) failed_ = true;
  }
  // The row over the first: zeros, which the filter of the first row takes as its row above.
  above_.assign(std::size_t(size.width()) * 4, 0);
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
              !writeChunk("IHDR", {std::span(header)}) ||
              (dotsPerMeter > 0 && !writeChunk("pHYs", {std::span(resolution)}));
}

// Bands still being compressed use the members of this object: they end before any is destroyed.
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
  // The row above the band's first: the last row of the band before, kept while that slot may be
  // drawn into again.
  slot.above = above_;
  std::memcpy(above_.data(), slot.image.constScanLine(slot.image.height() - 1), above_.size());
  rowsAdded_ += slot.image.height();
  slot.compressed = std::async(std::launch::async, [this, &slot] { return slot.compress(drawnContent_); });
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
  return writeChunk("IEND", {});
}

bool PngBands::writeSlot(Slot& slot, bool last) {
  static const unsigned char kZlibHeader[2] = {0x78, 0x5E};  // deflate, a 32 KiB window, a fast level
  std::vector<unsigned char> end;
  adler_ = std::uint32_t(adler32_combine(adler_, slot.adler, z_off_t(slot.filteredSize)));
  if (last) {
    end = {0x03, 0x00};  // an empty last block, of fixed codes
    putBigEndian(end, adler_);
  }
  return writeChunk("IDAT", {written_ == 0 ? std::span(kZlibHeader) : std::span<const unsigned char>(),
                             std::span(slot.deflated), std::span(end)});
}

bool PngBands::writeChunk(const char* type, std::initializer_list<std::span<const unsigned char>> parts) {
  std::size_t size = 0;
  for (const auto& part : parts) size += part.size();
  unsigned char head[8];
  qToBigEndian(std::uint32_t(size), head);
  std::memcpy(head + 4, type, 4);
  std::uint32_t crc = std::uint32_t(crc32(crc32(0, nullptr, 0), head + 4, 4));
  bool ok = out_.write(reinterpret_cast<const char*>(head), 8) == 8;
  for (const auto& part : parts) {
    if (part.empty()) continue;
    crc = std::uint32_t(crc32_z(crc, part.data(), part.size()));
    ok = ok && out_.write(reinterpret_cast<const char*>(part.data()), qint64(part.size())) == qint64(part.size());
  }
  unsigned char tail[4];
  qToBigEndian(crc, tail);
  return ok && out_.write(reinterpret_cast<const char*>(tail), 4) == 4;
}

}  // namespace orvella
