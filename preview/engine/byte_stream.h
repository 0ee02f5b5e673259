// Little-endian writing and bounded reading of the report file's fields.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace orvella::report {

class ByteWriter {
 public:
  void u8(std::uint8_t value);
  void u16(std::uint16_t value);
  void u32(std::uint32_t value);
  void i32(std::int32_t value);
  void f64(double value);
  void blob(const QByteArray& bytes);  // u32 length, then the bytes
  void text(const QString& value);     // a blob of UTF-8
  void raw(const char* data, qsizetype size);

  const QByteArray& bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

// Reads from a buffer it does not own. Every read checks the bytes left first; a read past the end, or
// a length longer than what is left, raises ByteReader::Malformed.
class ByteReader {
 public:
  struct Malformed {};

  ByteReader(const char* data, qsizetype size) : data_(data), size_(size) {}

  std::uint8_t u8();
  std::uint16_t u16();
  std::uint32_t u32();
  std::int32_t i32();
  double f64();
  // A blob longer than maxLength is malformed too, whatever the bytes left.
  QByteArray blob(std::uint32_t maxLength = UINT32_MAX);
  QString text(std::uint32_t maxLength = UINT32_MAX);
  void expect(const char* data, qsizetype size);  // Malformed when the bytes differ

  qsizetype position() const { return pos_; }
  qsizetype remaining() const { return size_ - pos_; }
  bool matches(const char* data, qsizetype size) const;

 private:
  const unsigned char* take(qsizetype count);

  const char* data_;
  qsizetype size_;
  qsizetype pos_ = 0;
};

}  // namespace orvella::report
