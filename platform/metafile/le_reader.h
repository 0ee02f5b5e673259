// Bounded little-endian reads over a span of bytes: every read checks its range in 64-bit arithmetic.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstring>

namespace orvella::metafile {

class LeReader {
 public:
  LeReader() = default;
  LeReader(const std::uint8_t* data, std::int64_t size) : data_(data), size_(size < 0 ? 0 : size) {}
  explicit LeReader(const QByteArray& bytes)
      : LeReader(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()) {}

  std::int64_t size() const { return size_; }
  const std::uint8_t* data() const { return data_; }

  // True when [offset, offset + length) lies inside the span, for any 64-bit inputs.
  bool has(std::int64_t offset, std::int64_t length) const {
    return offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
  }

  // A part of the span; empty when the range is not inside.
  LeReader sub(std::int64_t offset, std::int64_t length) const {
    return has(offset, length) ? LeReader(data_ + offset, length) : LeReader();
  }

  // Out of range reads give 0; callers check has() first where a missing field matters.
  std::uint8_t u8(std::int64_t at) const { return has(at, 1) ? data_[at] : 0; }
  std::uint16_t u16(std::int64_t at) const {
    return has(at, 2) ? std::uint16_t(data_[at] | (data_[at + 1] << 8)) : 0;
  }
  std::int16_t i16(std::int64_t at) const { return std::int16_t(u16(at)); }
  std::uint32_t u32(std::int64_t at) const {
    if (!has(at, 4)) return 0;
    return std::uint32_t(data_[at]) | (std::uint32_t(data_[at + 1]) << 8) |
           (std::uint32_t(data_[at + 2]) << 16) | (std::uint32_t(data_[at + 3]) << 24);
  }
  std::int32_t i32(std::int64_t at) const { return std::int32_t(u32(at)); }
  float f32(std::int64_t at) const {
    const std::uint32_t bits = u32(at);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  QByteArray bytes(std::int64_t at, std::int64_t length) const {
    if (!has(at, length)) return {};
    return QByteArray(reinterpret_cast<const char*>(data_ + at), qsizetype(length));
  }

 private:
  const std::uint8_t* data_ = nullptr;
  std::int64_t size_ = 0;
};

}  // namespace orvella::metafile
