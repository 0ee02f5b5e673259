// The Windows-1250 code page by table, and the UTF-8 validity test that chooses between the two.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace orvella::windows1250 {

// Every byte decodes: the five bytes the code page leaves undefined map to the C1 controls of the
// same value, as Windows does, so any byte string survives a decode and encode unchanged.
QString decode(QByteArrayView bytes);
// Characters outside the code page become '?'.
QByteArray encode(QStringView text);
bool fits(QStringView text);
// One character: its byte, or '?' when the code page has no such character; and back.
unsigned char encodeChar(QChar c);
QChar decodeByte(unsigned char byte);

}  // namespace orvella::windows1250

namespace orvella {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);

}  // namespace orvella
