// Windows-1250 through a table that iconv fills once, and the strict UTF-8 test.
#include "platform/settings/windows1250.h"

#include <iconv.h>

#include <array>
#include <cstdint>

namespace orvella::windows1250 {

namespace {

// The upper half of the code page, asked of iconv once. The five bytes the code page leaves undefined
// stand for the C1 controls of their own value, as Windows reads them, so that every byte string
// survives a decode and an encode unchanged.
std::array<char16_t, 128> highHalfFromIconv() {
  std::array<char16_t, 128> half{};
  iconv_t cd = iconv_open("UTF-16LE", "WINDOWS-1250");
  for (int i = 0; i < 128; ++i) {
    half[i] = static_cast<char16_t>(0x80 + i);
    if (cd == reinterpret_cast<iconv_t>(-1)) continue;
    char in[1] = {static_cast<char>(0x80 + i)};
    unsigned char out[4] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 2)
      half[i] = static_cast<char16_t>(out[0] | (out[1] << 8));
  }
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  return half;
}

const std::array<char16_t, 128>& highHalf() {
  static const std::array<char16_t, 128> half = highHalfFromIconv();
  return half;
}

// The highest code point of the table is U+2122; a flat reverse table stays small.
constexpr char16_t kReverseSize = 0x2123;

struct Reverse {
  std::array<std::uint8_t, kReverseSize> byte{};  // 0: not in the code page (above 0x7F)
  Reverse() {
    for (int i = 0; i < 128; ++i)
      if (highHalf()[i] < kReverseSize) byte[highHalf()[i]] = static_cast<std::uint8_t>(0x80 + i);
  }
};

const Reverse& reverse() {
  static const Reverse table;
  return table;
}

int byteFor(char16_t c) {
  if (c < 0x80) return c;
  if (c >= kReverseSize) return -1;
  const std::uint8_t b = reverse().byte[c];
  return b ? b : -1;
}

}  // namespace

QString decode(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  const std::array<char16_t, 128>& half = highHalf();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out[i] = b < 0x80 ? char16_t(b) : half[b - 0x80];
  }
  return text;
}

QByteArray encode(QStringView text) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int b = byteFor(text[i].unicode());
    bytes[i] = static_cast<char>(b < 0 ? '?' : b);
  }
  return bytes;
}

unsigned char encodeChar(QChar c) {
  const int b = byteFor(c.unicode());
  return static_cast<unsigned char>(b < 0 ? '?' : b);
}

QChar decodeByte(unsigned char byte) { return byte < 0x80 ? QChar(byte) : QChar(highHalf()[byte - 0x80]); }

bool fits(QStringView text) {
  for (QChar c : text)
    if (byteFor(c.unicode()) < 0) return false;
  return true;
}

}  // namespace orvella::windows1250

namespace orvella {

bool isValidUtf8(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype n = bytes.size();
  qsizetype i = 0;
  while (i < n) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    int follow;
    std::uint32_t cp;
    if (b >= 0xC2 && b <= 0xDF) {
      follow = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      follow = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      follow = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (n - i <= follow) return false;
    for (int k = 1; k <= follow; ++k) {
      const unsigned char c = p[i + k];
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if ((follow == 2 && cp < 0x800) || (follow == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += follow + 1;
  }
  return true;
}

}  // namespace orvella
