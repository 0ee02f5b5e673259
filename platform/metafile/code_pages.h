// Text of 8-bit metafile records, decoded in the code page that its font's character set names.
#pragma once

#include <QByteArray>
#include <QString>

namespace orvella::metafile {

// Character sets: 0 ANSI (1252), 238 East European (1250), 204 Cyrillic (1251), 161 Greek, 162 Turkish,
// 186 Baltic; 1 (the system's default) reads as 1250, the code page of the Polish systems this
// program's pictures come from; 2 (symbol) keeps the bytes; others read as 1252.
QString decodeCharset(const QByteArray& bytes, int charset);

}  // namespace orvella::metafile
