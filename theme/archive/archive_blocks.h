// The blocks of a theme archive: at most 16384 bytes of a file, each compressed as its own zlib stream.
#pragma once

#include <zlib.h>

namespace orvella::archive {

inline constexpr int kBlockSize = 16384;

// Compresses one block at a time into a complete zlib stream (window bits 15, memory level 8, default
// strategy). One deflate state serves every block: a reset state writes the same bytes as a new one.
class BlockDeflater {
 public:
  explicit BlockDeflater(int level);
  ~BlockDeflater();
  BlockDeflater(const BlockDeflater&) = delete;
  BlockDeflater& operator=(const BlockDeflater&) = delete;

  enum { kDoesNotFit = 0, kFailed = -1 };
  // Compresses size bytes (1..kBlockSize) into out (kBlockSize bytes); the compressed length, kDoesNotFit
  // when the stream does not end within kBlockSize bytes, or kFailed.
  int compress(const unsigned char* in, int size, unsigned char* out);

 private:
  z_stream stream_{};
  int level_;
  bool ready_ = false;
};

// Inflates one block at a time (zlib header expected) into a kBlockSize buffer in one call.
class BlockInflater {
 public:
  BlockInflater() = default;
  ~BlockInflater();
  BlockInflater(const BlockInflater&) = delete;
  BlockInflater& operator=(const BlockInflater&) = delete;

  // The number of bytes produced, or -1 unless the size bytes are one complete zlib stream (its check
  // value correct, no preset dictionary) that inflates to at most kBlockSize bytes.
  int inflate(const unsigned char* in, int size, unsigned char* out);

 private:
  z_stream stream_{};
  bool ready_ = false;
};

}  // namespace orvella::archive
