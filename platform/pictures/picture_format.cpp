// Picture format recognition by signature and by extension.
#include "platform/pictures/picture_format.h"

#include <QFileInfo>

#include "platform/pictures/byte_reader.h"

namespace orvella {

PictureFormat formatFromContent(const QByteArray& bytes) {
  const ByteReader r(bytes);
  if (r.u8(0) == 0xFF && r.u8(1) == 0xD8 && r.u8(2) == 0xFF && r.has(0, 3)) return PictureFormat::Jpeg;
  if (r.has(0, 2) && bytes[0] == 'B' && bytes[1] == 'M') return PictureFormat::Bitmap;
  if (r.has(0, 4) && r.u32(0) == 0x9AC6CDD7u) return PictureFormat::Wmf;  // placeable header key
  // Plain WMF: type 1 (memory) or 2 (disk), header of 9 words, version 1.0 or 3.0.
  if (r.has(0, 6) && (r.u16(0) == 1 || r.u16(0) == 2) && r.u16(2) == 9 &&
      (r.u16(4) == 0x0100 || r.u16(4) == 0x0300))
    return PictureFormat::Wmf;
  // EMF: a header record (type 1) carrying " EMF" at offset 40.
  if (r.has(0, 44) && r.u32(0) == 1 && bytes.mid(40, 4) == QByteArrayLiteral(" EMF"))
    return PictureFormat::Emf;
  // Icon directory: reserved 0, type 1, at least one entry.
  if (r.has(0, 6) && r.u16(0) == 0 && r.u16(2) == 1 && r.u16(4) > 0) return PictureFormat::Icon;
  return PictureFormat::Unknown;
}

PictureFormat formatFromExtension(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("bmp")) return PictureFormat::Bitmap;
  if (suffix == QLatin1String("ico")) return PictureFormat::Icon;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureFormat::Jpeg;
  if (suffix == QLatin1String("wmf")) return PictureFormat::Wmf;
  if (suffix == QLatin1String("emf")) return PictureFormat::Emf;
  return PictureFormat::Unknown;
}

PictureFormat detectPictureFormat(const QByteArray& bytes, const QString& fileName) {
  const PictureFormat byContent = formatFromContent(bytes);
  return byContent != PictureFormat::Unknown ? byContent : formatFromExtension(fileName);
}

}  // namespace orvella
