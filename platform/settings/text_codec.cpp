// Decoding and encoding of settings-file text: UTF-8 when valid, otherwise Windows-1250.
#include "platform/settings/text_codec.h"

#include <iconv.h>

#include <cerrno>

#include "platform/settings/windows1250.h"

namespace orvella {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

bool namesWindows1250(const QByteArray& codePage) {
  const QByteArray name = codePage.trimmed().toLower();
  return name == "windows-1250" || name == "cp1250" || name == "1250";
}

// Converts through iconv into UTF-8; a byte that does not decode becomes U+FFFD and the
// conversion goes on after it. Returns false when iconv does not know the code page.
bool iconvToUtf8(const QByteArray& bytes, const QByteArray& codePage, QByteArray& utf8) {
  iconv_t cd = iconv_open("UTF-8", codePage.constData());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  utf8.clear();
  utf8.reserve(bytes.size() * 2);
  QByteArray input = bytes;  // iconv takes a non-const pointer
  char* in = input.data();
  size_t inLeft = static_cast<size_t>(input.size());
  char buffer[4096];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    utf8.append(buffer, static_cast<qsizetype>(out - buffer));
    if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ, or EINVAL for a sequence cut off at the end: skip one byte.
    utf8.append("\xEF\xBF\xBD");
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* out = buffer;
  size_t outLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &out, &outLeft);  // the closing shift sequence, if any
  utf8.append(buffer, static_cast<qsizetype>(out - buffer));
  iconv_close(cd);
  return true;
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
  const QByteArrayView view(bytes);
  if (view.startsWith(QByteArrayView(kBom, 3))) return QString::fromUtf8(view.sliced(3));
  return isValidUtf8(view) ? QString::fromUtf8(view) : windows1250::decode(view);
}

QByteArray encodeText(const QString& text) {
  return windows1250::fits(text) ? windows1250::encode(text) : text.toUtf8();
}

QString decodeTextAs(const QByteArray& bytes, const QByteArray& codePage) {
  if (namesWindows1250(codePage)) return windows1250::decode(bytes);
  const QByteArray name = codePage.trimmed();
  if (name.isEmpty()) return decodeText(bytes);
  QByteArray utf8;
  if (!iconvToUtf8(bytes, name, utf8)) return decodeText(bytes);
  return QString::fromUtf8(utf8);
}

}  // namespace orvella
