// Writes small metafiles record by record for the tests, so each case names exactly what it plays.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "platform/pictures/picture.h"

namespace orvella::testing_metafile {

inline void putU16(QByteArray& b, std::uint16_t v) {
  b.append(char(v & 0xFF));
  b.append(char(v >> 8));
}
inline void putU32(QByteArray& b, std::uint32_t v) {
  putU16(b, std::uint16_t(v & 0xFFFF));
  putU16(b, std::uint16_t(v >> 16));
}

// A Windows metafile: an optional placeable header, the standard header, records of 16-bit words.
class WmfWriter {
 public:
  // Placeable, with a box of left, top, right, bottom in logical units and units per inch.
  WmfWriter(int left, int top, int right, int bottom, int unitsPerInch) {
    putU32(bytes_, 0x9AC6CDD7u);
    putU16(bytes_, 0);
    for (int v : {left, top, right, bottom}) putU16(bytes_, std::uint16_t(v));
    putU16(bytes_, std::uint16_t(unitsPerInch));
    putU32(bytes_, 0);
    putU16(bytes_, 0);  // checksum, not checked
    header();
  }
  // Plain, without a placeable header.
  WmfWriter() { header(); }

  // A record of 16-bit words (parameters as the file stores them, last argument first).
  WmfWriter& rec(std::uint16_t function, std::initializer_list<int> words) {
    putU32(bytes_, std::uint32_t(3 + words.size()));
    putU16(bytes_, function);
    for (int w : words) putU16(bytes_, std::uint16_t(w));
    return *this;
  }
  // A record with raw parameter bytes (padded to a word).
  WmfWriter& raw(std::uint16_t function, QByteArray params) {
    if (params.size() % 2) params.append('\0');
    putU32(bytes_, std::uint32_t(3 + params.size() / 2));
    putU16(bytes_, function);
    bytes_.append(params);
    return *this;
  }
  // Colour helpers: a colour reference as two words, low first.
  static int lo(std::uint32_t v) { return int(v & 0xFFFF); }
  static int hi(std::uint32_t v) { return int(v >> 16); }

  WmfWriter& pen(int style, int width, std::uint32_t color) {
    return rec(0x02FA, {style, width, 0, lo(color), hi(color)});
  }
  WmfWriter& brush(int style, std::uint32_t color, int hatch) {
    return rec(0x02FC, {style, lo(color), hi(color), hatch});
  }
  WmfWriter& select(int slot) { return rec(0x012D, {slot}); }
  WmfWriter& rectangle(int l, int t, int r, int b) { return rec(0x041B, {b, r, t, l}); }
  WmfWriter& window(int x, int y, int w, int h) {
    rec(0x020B, {y, x});
    return rec(0x020C, {h, w});
  }

  QByteArray finish() {
    QByteArray out = bytes_;
    putU32(out, 3);
    putU16(out, 0);
    return out;
  }

 private:
  void header() {
    putU16(bytes_, 1);
    putU16(bytes_, 9);
    putU16(bytes_, 0x0300);
    putU32(bytes_, 0);
    putU16(bytes_, 0);
    putU32(bytes_, 0);
    putU16(bytes_, 0);
  }
  QByteArray bytes_;
};

// An enhanced metafile: a header with a frame in 0.01 mm on a 96 dpi reference device.
class EmfWriter {
 public:
  // Frame in hundredths of a millimetre; device 1000 × 1000 pixels on 264.58 mm (96 dpi).
  EmfWriter(int left, int top, int right, int bottom) {
    putU32(bytes_, 1);
    putU32(bytes_, 108);
    for (int v : {0, 0, 100, 100}) putU32(bytes_, std::uint32_t(v));
    for (int v : {left, top, right, bottom}) putU32(bytes_, std::uint32_t(v));
    putU32(bytes_, 0x464D4520u);
    putU32(bytes_, 0x10000);
    putU32(bytes_, 0);  // size, patched in finish()
    putU32(bytes_, 0);  // records
    putU16(bytes_, 16);
    putU16(bytes_, 0);
    putU32(bytes_, 0);
    putU32(bytes_, 0);
    putU32(bytes_, 0);
    for (int v : {1000, 1000, 265, 265}) putU32(bytes_, std::uint32_t(v));
    putU32(bytes_, 0);
    putU32(bytes_, 0);
    putU32(bytes_, 0);
    putU32(bytes_, 264583);
    putU32(bytes_, 264583);
  }

  EmfWriter& rec(std::uint32_t type, std::initializer_list<std::int64_t> values) {
    putU32(bytes_, type);
    putU32(bytes_, std::uint32_t(8 + 4 * values.size()));
    for (std::int64_t v : values) putU32(bytes_, std::uint32_t(v));
    return *this;
  }
  EmfWriter& raw(std::uint32_t type, QByteArray body) {
    while (body.size() % 4) body.append('\0');
    putU32(bytes_, type);
    putU32(bytes_, std::uint32_t(8 + body.size()));
    bytes_.append(body);
    return *this;
  }
  static std::uint32_t floatBits(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
  }

  QByteArray finish() {
    QByteArray out = bytes_;
    putU32(out, 14);
    putU32(out, 20);
    putU32(out, 0);
    putU32(out, 16);
    putU32(out, 20);
    const std::uint32_t size = std::uint32_t(out.size());
    for (int i = 0; i < 4; ++i) out[48 + i] = char((size >> (8 * i)) & 0xFF);
    return out;
  }

 private:
  QByteArray bytes_;
};

// Renders a picture onto a white image of the given size.
inline QImage render(const PictureSource& picture, int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  picture.draw(painter, QRectF(0, 0, width, height));
  painter.end();
  return image;
}

inline bool near(QRgb pixel, QColor expected, int tolerance = 40) {
  return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
         std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
         std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

}  // namespace orvella::testing_metafile
