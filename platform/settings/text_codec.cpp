// Decoding and encoding of settings-file text: UTF-8 when it reads as text, otherwise Windows-1250.
#include "platform/settings/text_codec.h"

#include <iconv.h>

#include <algorithm>
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

// Letters that a misread Windows-1250 text produces and living languages hardly use: Latin
// Extended-B and the phonetic letters, apart from the few that Romanian and Azerbaijani write.
bool isRareLatin(char32_t c) {
  if (c < 0x0180 || c > 0x02AF) return false;
  return !(c >= 0x0218 && c <= 0x021B) && c != 0x018F && c != 0x0259;
}

// The test of readsAsUtf8() on text already decoded from UTF-8.
bool isPlausibleText(QStringView text) {
  // Words are runs of letters and combining marks; a word with Latin letters has no letter of
  // another script (letters common to all scripts, such as the micro sign, count as neither).
  bool latin = false, other = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
      ++i;
    }
    if (c < 0x80) {  // ASCII, the bulk of any text: a Latin letter, or neither letter nor mark
      if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') {
        if (other) return false;
        latin = true;
      } else {
        latin = other = false;
      }
      continue;
    }
    if (c < 0xA0) return false;  // C1 controls: a lead byte C2 and a Windows-1250 symbol
    // A byte-order mark inside the text, and characters no text holds (unassigned, private, or
    // non-characters), come only from reading other bytes as UTF-8.
    if (c == 0xFEFF) return false;
    const QChar::Category category = QChar::category(c);
    if (category == QChar::Other_NotAssigned || category == QChar::Other_PrivateUse) return false;
    if (!QChar::isLetter(c)) {
      if (!QChar::isMark(c)) latin = other = false;
      continue;
    }
    if (isRareLatin(c)) return false;
    const QChar::Script script = QChar::script(c);
    if (script == QChar::Script_Latin)
      latin = true;
    else if (script != QChar::Script_Common && script != QChar::Script_Inherited)
      other = true;
    if (latin && other) return false;
  }
  return true;
}

}  // namespace

bool readsAsUtf8(QByteArrayView bytes) {
  if (!isValidUtf8(bytes)) return false;
  // Only text beyond ASCII can be misread; plain ASCII needs no decoding to be judged.
  const bool ascii =
      std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii || isPlausibleText(QString::fromUtf8(bytes));
}

QString decodeText(const QByteArray& bytes) {
  const QByteArrayView view(bytes);
  if (view.startsWith(QByteArrayView(kBom, 3))) {
    // A mark before bytes that are no UTF-8 was put there by mistake.
    const QByteArrayView text = view.sliced(3);
    return isValidUtf8(text) ? QString::fromUtf8(text) : windows1250::decode(text);
  }
  return readsAsUtf8(view) ? QString::fromUtf8(view) : windows1250::decode(view);
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
