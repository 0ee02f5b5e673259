// Reading and writing the little-endian integers and byte runs of a theme archive.
#pragma once

#include <QIODevice>
#include <QtEndian>

namespace orvella::archive {

// Reads exactly size bytes, also from a device that delivers them in pieces.
inline bool readExact(QIODevice& device, void* data, qint64 size) {
  char* at = static_cast<char*>(data);
  while (size > 0) {
    const qint64 got = device.read(at, size);
    if (got <= 0) return false;
    at += got;
    size -= got;
  }
  return true;
}

inline bool readInt32(QIODevice& device, qint32& value) {
  unsigned char bytes[4];
  if (!readExact(device, bytes, 4)) return false;
  value = qFromLittleEndian<qint32>(bytes);
  return true;
}

inline bool writeExact(QIODevice& device, const void* data, qint64 size) {
  return size == 0 || device.write(static_cast<const char*>(data), size) == size;
}

inline bool writeInt32(QIODevice& device, qint32 value) {
  unsigned char bytes[4];
  qToLittleEndian(value, bytes);
  return writeExact(device, bytes, 4);
}

}  // namespace orvella::archive
