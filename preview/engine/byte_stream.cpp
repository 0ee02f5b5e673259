// Little-endian writing and bounded reading of the report file's fields.
#include "preview/engine/byte_stream.h"

#include <cstring>

namespace orvella::report {

void ByteWriter::u8(std::uint8_t value) { bytes_.append(static_cast<char>(value)); }

void ByteWriter::u16(std::uint16_t value) {
  u8(value & 0xFF);
  u8(value >> 8);
}

void ByteWriter::u32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) u8((value >> shift) & 0xFF);
}

void ByteWriter::i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }

void ByteWriter::f64(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  u32(static_cast<std::uint32_t>(bits));
  u32(static_cast<std::uint32_t>(bits >> 32));
}

void ByteWriter::blob(const QByteArray& bytes) {
  u32(static_cast<std::uint32_t>(bytes.size()));
  bytes_.append(bytes);
}

void ByteWriter::text(const QString& value) { blob(value.toUtf8()); }

void ByteWriter::raw(const char* data, qsizetype size) { bytes_.append(data, size); }

const unsigned char* ByteReader::take(qsizetype count) {
  if (count < 0 || count > remaining()) throw Malformed{};
  const auto* at = reinterpret_cast<const unsigned char*>(data_ + pos_);
  pos_ += count;
  return at;
}

std::uint8_t ByteReader::u8() { return *take(1); }

std::uint16_t ByteReader::u16() {
  const unsigned char* p = take(2);
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ByteReader::u32() {
  const unsigned char* p = take(4);
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t ByteReader::i32() { return static_cast<std::int32_t>(u32()); }

double ByteReader::f64() {
  const std::uint64_t low = u32();
  const std::uint64_t high = u32();
  const std::uint64_t bits = low | (high << 32);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

QByteArray ByteReader::blob(std::uint32_t maxLength) {
  const std::uint32_t length = u32();
  // The length is compared with what is left before anything is allocated.
  if (length > maxLength || length > static_cast<std::uint64_t>(remaining())) throw Malformed{};
  const unsigned char* p = take(static_cast<qsizetype>(length));
  return QByteArray(reinterpret_cast<const char*>(p), static_cast<qsizetype>(length));
}

QString ByteReader::text(std::uint32_t maxLength) {
  const QByteArray utf8 = blob(maxLength);
  return QString::fromUtf8(utf8);
}

bool ByteReader::matches(const char* data, qsizetype size) const {
  return size <= remaining() && std::memcmp(data_ + pos_, data, static_cast<size_t>(size)) == 0;
}

void ByteReader::expect(const char* data, qsizetype size) {
  if (!matches(data, size)) throw Malformed{};
  pos_ += size;
}

}  // namespace orvella::report
