// Windows icon files (.ico): the largest image of the directory, from a bitmap or PNG entry.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace orvella {

// Decodes the largest usable image of an icon file. The directory is not trusted: entries whose data
// lies outside the file are passed over, and every image is checked against its own header.
QImage decodeIconFile(const QByteArray& bytes, const QString& fileName);

// One icon image in device-independent bitmap form (header, colour table, colour rows, then the
// transparency mask). Returns a null image and a reason when the data is damaged.
QImage decodeIconBitmap(const QByteArray& entry, QString* reason);

}  // namespace orvella
