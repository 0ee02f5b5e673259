// Tells a picture file's format from its first bytes, or failing that from its file name's extension.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvella {

enum class PictureFormat { Unknown, Bitmap, Icon, Jpeg, Wmf, Emf };

PictureFormat formatFromContent(const QByteArray& bytes);
PictureFormat formatFromExtension(const QString& fileName);

// Content first: a JPEG named "x.bmp" is still a JPEG.
PictureFormat detectPictureFormat(const QByteArray& bytes, const QString& fileName);

inline bool isMetafileFormat(PictureFormat f) { return f == PictureFormat::Wmf || f == PictureFormat::Emf; }

}  // namespace orvella
