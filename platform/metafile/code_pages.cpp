// Metafile text in the code page its font's character set names, decoded through the settings
// library's code-page conversion (iconv).
#include "platform/metafile/code_pages.h"

#include "platform/settings/text_codec.h"

namespace orvella::metafile {

namespace {

const char* codePageFor(int charset) {
  switch (charset) {
    case 238:
    case 1:  // the system's default: this program's pictures come from Polish systems
      return "windows-1250";
    case 204: return "windows-1251";
    case 161: return "windows-1253";
    case 162: return "windows-1254";
    case 186: return "windows-1257";
    case 2: return nullptr;  // symbol fonts: the bytes are the glyphs
    default: return "windows-1252";
  }
}

}  // namespace

QString decodeCharset(const QByteArray& bytes, int charset) {
  const char* codePage = codePageFor(charset);
  if (!codePage) return QString::fromLatin1(bytes);
  QString text = decodeTextAs(bytes, QByteArray(codePage));
  // A byte the code page leaves undefined stays the character of its own value, never a lost letter.
  if (text.size() != bytes.size()) return QString::fromLatin1(bytes);
  return text;
}

}  // namespace orvella::metafile
