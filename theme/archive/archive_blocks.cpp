// Compressing and inflating archive blocks.
#include "theme/archive/archive_blocks.h"

namespace orvella::archive {

BlockDeflater::BlockDeflater(int level) : level_(level) {}

BlockDeflater::~BlockDeflater() {
  if (ready_) deflateEnd(&stream_);
}

int BlockDeflater::compress(const unsigned char* in, int size, unsigned char* out) {
  if (!ready_) {
    stream_ = z_stream{};
    if (deflateInit2(&stream_, level_, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return kFailed;
    ready_ = true;
  } else if (deflateReset(&stream_) != Z_OK) {
    return kFailed;
  }
  stream_.next_in = const_cast<unsigned char*>(in);
  stream_.avail_in = static_cast<uInt>(size);
  stream_.next_out = out;
  stream_.avail_out = kBlockSize;
  const int rc = deflate(&stream_, Z_FINISH);
  if (rc == Z_STREAM_END) return kBlockSize - static_cast<int>(stream_.avail_out);
  if (rc == Z_OK) return kDoesNotFit;
  return kFailed;
}

BlockInflater::~BlockInflater() {
  if (ready_) inflateEnd(&stream_);
}

int BlockInflater::inflate(const unsigned char* in, int size, unsigned char* out) {
  if (!ready_) {
    stream_ = z_stream{};
    if (inflateInit2(&stream_, 15) != Z_OK) return -1;
    ready_ = true;
  } else if (inflateReset(&stream_) != Z_OK) {
    return -1;
  }
  stream_.next_in = const_cast<unsigned char*>(in);
  stream_.avail_in = static_cast<uInt>(size);
  stream_.next_out = out;
  stream_.avail_out = kBlockSize;
  // The block must be exactly one whole stream: one that needs more room, more input or a preset
  // dictionary, fails its check or is followed by further bytes is damaged.
  const int rc = ::inflate(&stream_, Z_FINISH);
  if (rc != Z_STREAM_END || stream_.avail_in != 0) return -1;
  return kBlockSize - static_cast<int>(stream_.avail_out);
}

}  // namespace orvella::archive
