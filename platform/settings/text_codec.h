// Text code pages of settings files: UTF-8 when valid, otherwise Windows-1250.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvella {

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped), otherwise Windows-1250.
QString decodeText(const QByteArray& bytes);
// Windows-1250 when every character fits, else UTF-8.
QByteArray encodeText(const QString& text);
// Decodes in a named code page ("windows-1250", "windows-1252", ...) through iconv; unknown names
// fall back to decodeText.
QString decodeTextAs(const QByteArray& bytes, const QByteArray& codePage);

}  // namespace orvella
