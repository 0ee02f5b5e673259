// Text code pages of settings files: UTF-8 when it reads as text, otherwise Windows-1250.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvella {

// UTF-8 when the bytes read as UTF-8 text or follow a byte-order mark (which is dropped) and are valid
// UTF-8, otherwise Windows-1250.
QString decodeText(const QByteArray& bytes);
// The bytes are valid UTF-8 and read as text somebody wrote. Windows-1250 capitals followed by a
// letter of the upper half can form valid UTF-8 by chance ("ÓŁ", D3 A3, reads as a Cyrillic letter);
// such a reading puts a letter of another script inside a word of Latin letters, a letter of the
// phonetic or rarely used Latin blocks into a word, or a control character, a byte-order mark or a
// character no text holds into the text.
bool readsAsUtf8(QByteArrayView bytes);
// Windows-1250 when every character fits, else UTF-8.
QByteArray encodeText(const QString& text);
// Decodes in a named code page ("windows-1250", "windows-1252", ...) through iconv; unknown names
// fall back to decodeText.
QString decodeTextAs(const QByteArray& bytes, const QByteArray& codePage);

}  // namespace orvella
