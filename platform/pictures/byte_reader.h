// Bounded little-endian reads from a byte array: every read checks its range; out of range reads give 0.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace orvella {

class ByteReader {
 public:
  explicit ByteReader(const QByteArray& bytes)
      : data_(reinterpret_cast<const std::uint8_t*>(bytes.constData())), size_(bytes.size()) {}
  ByteReader(const std::uint8_t* data, std::int64_t size) : data_(data), size_(size) {}

  std::int64_t size() const { return size_; }
  const std::uint8_t* data() const { return data_; }

  // True when [offset, offset + length) lies inside the data; safe for any 64-bit inputs.
  bool has(std::int64_t offset, std::int64_t length) const {
    return offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
  }

  std::uint8_t u8(std::int64_t at) const { return has(at, 1) ? data_[at] : 0; }
  std::uint16_t u16(std::int64_t at) const {
    return has(at, 2) ? std::uint16_t(data_[at] | (data_[at + 1] << 8)) : 0;
  }
  std::uint32_t u32(std::int64_t at) const {
    return has(at, 4) ? std::uint32_t(data_[at]) | (std::uint32_t(data_[at + 1]) << 8) |
                            (std::uint32_t(data_[at + 2]) << 16) | (std::uint32_t(data_[at + 3]) << 24)
                      : 0;
  }
  std::int32_t i32(std::int64_t at) const { return static_cast<std::int32_t>(u32(at)); }
  std::int16_t i16(std::int64_t at) const { return static_cast<std::int16_t>(u16(at)); }

 private:
  const std::uint8_t* data_;
  std::int64_t size_;
};

}  // namespace orvella
