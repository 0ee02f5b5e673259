// JPEG decoding with libjpeg-turbo: errors become exceptions through setjmp/longjmp, never exit().
#include "platform/pictures/jpeg_decoder.h"

#include <QPainter>
#include <QtEndian>
#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <mutex>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "platform/pictures/picture_error.h"
#include "platform/pictures/raster_cache.h"
#include "platform/pictures/raster_draw.h"
#include "platform/pictures/raster_limits.h"

namespace orvella {

namespace {

// A progressive file may hold thousands of scans, each passing over the whole picture; real files
// have at most a few dozen.
constexpr int kMaxScans = 500;
// Progressive and multi-scan files keep every coefficient of the picture in memory, whatever the
// output scale; beyond this libjpeg stops with an error instead of allocating more.
constexpr long kMaxDecoderMemory = 768L << 20;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void leaveOnError(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings (corrupt data, premature end) would go to stderr; a damaged scan still decodes as far as
// it goes, and truncation is caught at load.
void ignoreMessage(j_common_ptr, int) {}

void setUp(jpeg_decompress_struct& cinfo, ErrorManager& err) {
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = leaveOnError;
  err.pub.emit_message = ignoreMessage;
  err.message[0] = 0;
}

// Entropy-coded data escapes 0xFF as FF 00, and restart markers sit inside it, so marker bytes after
// the first scan header are real markers: the scan headers that follow are counted, and the first
// end-of-image marker tells that the file is complete.
struct ScanWalk {
  bool complete = false;
  int scans = 1;
};

ScanWalk walkScans(const unsigned char* data, std::size_t size, std::size_t from) {
  ScanWalk walk;
  std::size_t i = from;
  while (i + 1 < size) {
    const void* found = std::memchr(data + i, 0xFF, size - 1 - i);
    if (!found) break;
    i = std::size_t(static_cast<const unsigned char*>(found) - data);
    if (data[i + 1] == 0xD9) {
      walk.complete = true;
      break;
    }
    if (data[i + 1] == 0xDA) ++walk.scans;
    ++i;
  }
  return walk;
}

struct HeaderResult {
  JDIMENSION width = 0;
  JDIMENSION height = 0;
  int components = 0;
  std::size_t scanStart = 0;
};

// Only plain data lives in this frame across setjmp, as longjmp skips destructors.
bool readHeaderRaw(const unsigned char* data, std::size_t size, HeaderResult* out, char* message) {
  jpeg_decompress_struct cinfo{};
  ErrorManager err;
  setUp(cinfo, err);
  if (setjmp(err.jump)) {
    std::memcpy(message, err.message, JMSG_LENGTH_MAX);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  out->width = cinfo.image_width;
  out->height = cinfo.image_height;
  out->components = cinfo.num_components;
  out->scanStart = std::size_t(cinfo.src->next_input_byte - data);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

inline unsigned char cmykChannel(int ink, int black, bool inverted) {
  // Adobe writers store the inks inverted; then the visible value is ink × black / 255.
  return inverted ? (unsigned char)(ink * black / 255) : (unsigned char)((255 - ink) * (255 - black) / 255);
}

void limitScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
      std::snprintf(reinterpret_cast<ErrorManager*>(cinfo->err)->message, JMSG_LENGTH_MAX,
                    "more than %d scans", kMaxScans);
      std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
    }
  }
}

bool decodeRaw(const unsigned char* data, std::size_t size, int eighths, QImage* image, char* message) {
  jpeg_decompress_struct cinfo{};
  ErrorManager err;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = limitScans;
  setUp(cinfo, err);
  if (setjmp(err.jump)) {
    std::memcpy(message, err.message, JMSG_LENGTH_MAX);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  if (cmyk) {
    cinfo.out_color_space = JCS_CMYK;
  } else {
    // Written straight into the scan lines of a Format_RGB32 image, with the alpha byte set to 0xFF.
    cinfo.out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
  }
  cinfo.scale_num = unsigned(eighths);
  cinfo.scale_denom = 8;
  jpeg_start_decompress(&cinfo);
  const bool inverted = cinfo.saw_Adobe_marker;
  *image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
  if (image->isNull()) {
    std::snprintf(message, JMSG_LENGTH_MAX, "not enough memory for %u x %u pixels", cinfo.output_width,
                  cinfo.output_height);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  JSAMPARRAY cmykRow = nullptr;
  if (cmyk)
    cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         cinfo.output_width * 4, 1);
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = int(cinfo.output_scanline);
    if (!cmyk) {
      JSAMPROW row = image->scanLine(y);
      jpeg_read_scanlines(&cinfo, &row, 1);
      continue;
    }
    jpeg_read_scanlines(&cinfo, cmykRow, 1);
    auto* out = reinterpret_cast<QRgb*>(image->scanLine(y));
    const unsigned char* in = cmykRow[0];
    for (JDIMENSION x = 0; x < cinfo.output_width; ++x, in += 4) {
      out[x] = qRgb(cmykChannel(in[0], in[3], inverted), cmykChannel(in[1], in[3], inverted),
                    cmykChannel(in[2], in[3], inverted));
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

const unsigned char* bytesOf(const QByteArray& bytes) {
  return reinterpret_cast<const unsigned char*>(bytes.constData());
}

class JpegSource final : public PictureSource {
 public:
  JpegSource(QByteArray bytes, QString fileName, QSize size)
      : bytes_(std::move(bytes)),
        fileName_(std::move(fileName)),
        size_(size),
        key_(pictureContentKey(bytes_)) {}

  QSizeF naturalSize() const override { return QSizeF(size_); }

  void draw(QPainter& painter, const QRectF& target) const override {
    if (failed_ || target.isEmpty()) return;
    QImage image;
    // The file was checked at load; what libjpeg still refuses here is drawn as nothing, since an
    // exception must not leave a paint event.
    try {
      image = decoded(deviceSizeOf(painter, target));
    } catch (const Error&) {
      failed_ = true;
      return;
    } catch (const std::bad_alloc&) {
      return;
    }
    drawRasterImage(painter, target, image, key_, Enlarging::Smooth);
  }

  void prepare(QSize devicePixels) const override {
    if (failed_) return;
    try {
      const QImage image = decoded(devicePixels, true);
      if (!image.isNull()) shownImage(image, devicePixels, key_);
    } catch (const Error&) {
    } catch (const std::bad_alloc&) {
    }
  }

 private:
  // The decode for an area of device pixels, from the cache or made now: no larger than the area
  // needs, nor than the decoder's limit. Made ahead of its drawing only when the cache keeps it.
  QImage decoded(QSize device, bool ahead = false) const {
    int eighths = jpegScaleFor(size_, device);
    QSize scaled = jpegScaledSize(size_, eighths);
    while (eighths > 1 && std::int64_t(scaled.width()) * scaled.height() > raster_limits::kMaxDecodedPixels)
      scaled = jpegScaledSize(size_, --eighths);
    const std::int64_t bytes = std::int64_t(scaled.width()) * scaled.height() * 4;
    RasterCache& cache = RasterCache::instance();
    if (ahead && bytes > cache.budgetBytes()) return {};
    return cache.findOrMake(RasterCache::Key{key_, scaled.width(), scaled.height()}, bytes,
                            [&] { return decodeJpeg(bytes_, eighths, fileName_); });
  }

  QByteArray bytes_;
  QString fileName_;
  QSize size_;
  std::uint64_t key_;
  mutable std::atomic<bool> failed_ = false;  // set by a drawing, read by a preparation on another thread
};

}  // namespace

JpegInfo readJpegInfo(const QByteArray& bytes, const QString& fileName) {
  HeaderResult header;
  char message[JMSG_LENGTH_MAX] = {};
  if (!readHeaderRaw(bytesOf(bytes), std::size_t(bytes.size()), &header, message))
    throw pictureError(fileName,
                       QStringLiteral("damaged JPEG data (%1)").arg(QString::fromLocal8Bit(message)));
  const std::int64_t w = header.width, h = header.height;
  if (w <= 0 || h <= 0 || w > raster_limits::kMaxSide || h > raster_limits::kMaxSide ||
      w * h > raster_limits::kMaxJpegPixels)
    throw pictureError(fileName,
                       QStringLiteral("the JPEG picture is too large (%1 × %2 pixels)").arg(w).arg(h));
  const ScanWalk walk = walkScans(bytesOf(bytes), std::size_t(bytes.size()), header.scanStart);
  if (!walk.complete)
    throw pictureError(fileName, QStringLiteral("the JPEG data ends too early (the file is truncated)"));
  if (walk.scans > kMaxScans)
    throw pictureError(fileName, QStringLiteral("damaged JPEG data (%1 scans)").arg(walk.scans));
  return JpegInfo{QSize(int(w), int(h)), header.components};
}

QSize jpegScaledSize(QSize full, int eighths) {
  // Rounded up, as libjpeg computes its output size.
  const auto scale = [eighths](int length) { return int((std::int64_t(length) * eighths + 7) / 8); };
  return QSize(scale(full.width()), scale(full.height()));
}

int jpegScaleFor(QSize full, QSize needed) {
  for (int eighths = 1; eighths < 8; ++eighths) {
    const QSize s = jpegScaledSize(full, eighths);
    if (s.width() >= needed.width() && s.height() >= needed.height()) return eighths;
  }
  return 8;
}

QImage decodeJpeg(const QByteArray& bytes, int eighths, const QString& fileName) {
  QImage image;
  char message[JMSG_LENGTH_MAX] = {};
  if (!decodeRaw(bytesOf(bytes), std::size_t(bytes.size()), qBound(1, eighths, 8), &image, message))
    throw pictureError(fileName,
                       QStringLiteral("damaged JPEG data (%1)").arg(QString::fromLocal8Bit(message)));
  // Pictures are decoded on two threads at once in an export.
  static std::mutex statsLock;
  const std::lock_guard lock(statsLock);
  JpegDecodeStats& stats = jpegDecodeStats();
  ++stats.decodes;
  stats.lastDecodedSize = image.size();
  return image;
}

JpegDecodeStats& jpegDecodeStats() {
  static JpegDecodeStats stats;
  return stats;
}

std::shared_ptr<const PictureSource> makeJpegSource(const QByteArray& bytes, const QString& fileName) {
  const JpegInfo info = readJpegInfo(bytes, fileName);
  return std::make_shared<JpegSource>(bytes, fileName, info.size);
}

}  // namespace orvella
