// Windows-1250 by table, and the strict UTF-8 test.
#include "platform/settings/windows1250.h"

#include <array>
#include <cstdint>

namespace orvella::windows1250 {

namespace {

constexpr std::array<char16_t, 128> kHighHalf{{
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
}};

// The highest code point of the table is U+2122; a flat reverse table stays small.
constexpr char16_t kReverseSize = 0x2123;

struct Reverse {
  std::array<std::uint8_t, kReverseSize> byte{};  // 0: not in the code page (above 0x7F)
  Reverse() {
    for (int i = 0; i < 128; ++i) byte[kHighHalf[i]] = static_cast<std::uint8_t>(0x80 + i);
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
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out[i] = b < 0x80 ? char16_t(b) : kHighHalf[b - 0x80];
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

QChar decodeByte(unsigned char byte) { return byte < 0x80 ? QChar(byte) : QChar(kHighHalf[byte - 0x80]); }

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
