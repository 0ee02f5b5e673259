// A metafile parsed once into a compact list of drawing commands, shared by the WMF and EMF readers.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <cstdint>
#include <vector>

namespace orvella::metafile {

// One command kind. The comment gives the meaning of `a` and of the integers in the pool
// (points are x, y pairs in logical units).
enum class Op : std::uint8_t {
  SetMapMode,            // a: mode
  SetWindowOrg,          // x, y
  SetWindowExt,          // x, y
  SetViewportOrg,        // x, y
  SetViewportExt,        // x, y
  OffsetWindowOrg,       // dx, dy
  OffsetViewportOrg,     // dx, dy
  ScaleWindowExt,        // xNum, xDenom, yNum, yDenom
  ScaleViewportExt,      // xNum, xDenom, yNum, yDenom
  SetWorldTransform,     // six float bit patterns: m11, m12, m21, m22, dx, dy
  ModifyWorldTransform,  // a: mode; six float bit patterns
  SaveDC,
  RestoreDC,          // a: index (negative: relative)
  SetBkMode,          // a: mode
  SetBkColor,         // a: colour reference
  SetTextColor,       // a: colour reference
  SetTextAlign,       // a: flags
  SetPolyFillMode,    // a: mode
  SetRop2,            // a: mix mode
  SetArcDirection,    // a: direction
  SetMiterLimit,      // a: float bit pattern
  CreatePen,          // a: slot; style, width, colour, dash entries...
  CreateBrush,        // a: slot; style, colour, hatch, image index or -1
  CreateFont,         // a: slot; height, width, escapement, orientation, weight, italic, underline,
                      // strike out, charset, face text index
  CreateRegion,       // a: slot; rectangles left, top, right, bottom...
  CreateOther,        // a: slot (a palette or an object that only takes a slot)
  SelectObject,       // a: slot or stock object
  DeleteObject,       // a: slot
  MoveTo,             // x, y
  LineTo,             // x, y
  Polyline,           // points
  Polygon,            // points
  PolyBezier,         // points
  PolyBezierTo,       // points
  PolylineTo,         // points
  PolyPolygon,        // polygon count, counts..., points
  PolyPolyline,       // polyline count, counts..., points
  Rectangle,          // left, top, right, bottom
  Ellipse,            // left, top, right, bottom
  RoundRect,          // left, top, right, bottom, corner width, corner height
  Arc,                // left, top, right, bottom, start x, start y, end x, end y
  Pie,                // as Arc
  Chord,              // as Arc
  ArcTo,              // as Arc
  SetPixel,           // x, y, colour
  PatBlt,             // left, top, width, height, raster operation
  Text,               // a: text index; x, y, options, left, top, right, bottom, advances...
  Image,              // a: image index or -1; x, y, w, h (dest), sx, sy, sw, sh (source), raster operation
  IntersectClipRect,  // left, top, right, bottom
  ExcludeClipRect,    // left, top, right, bottom
  SelectClipRegion,   // a: slot (0 with no region: clip removed)
  OffsetClipRegion,   // dx, dy
  DeviceClipRegion,   // a: combine mode; rectangles in device units left, top, right, bottom...
  BeginPath,
  EndPath,
  CloseFigure,
  FillPath,
  StrokePath,
  StrokeAndFillPath,
  AbortPath,
  SelectClipPath,  // a: combine mode
};

struct Record {
  Op op;
  std::int32_t a = 0;
  std::uint32_t first = 0;  // into Program::ints
  std::uint32_t count = 0;
};

// A text of a Text command or a font face: 8-bit in the font's code page, or UTF-16.
struct TextBytes {
  QByteArray bytes;
  bool wide = false;
};

enum class Format { PlaceableWmf, PlainWmf, Emf };

struct Program {
  Format format = Format::PlaceableWmf;
  // The area of the device space that maps onto the target box.
  QRectF frame;
  // Device units per inch, across and down (a placeable file's units per inch, an EMF reference
  // device's resolution).
  double unitsPerInchX = 96;
  double unitsPerInchY = 96;
  QSizeF naturalSize;  // at 96 dpi
  // Initial mapping: WMF files start in an anisotropic mapping of the frame onto itself.
  int initialMapMode = 1;
  QRectF initialWindow;
  QRectF initialViewport;
  // Some raster operations only work on a picture drawn into an image first.
  bool needsRasterOps = false;

  std::vector<Record> records;
  std::vector<std::int32_t> ints;
  std::vector<TextBytes> texts;
  std::vector<QImage> images;

  // Appends a record with the given integers; returns it for further filling.
  Record& add(Op op, std::int32_t a = 0) {
    records.push_back(Record{op, a, std::uint32_t(ints.size()), 0});
    return records.back();
  }
  void push(std::int32_t value) {
    ints.push_back(value);
    ++records.back().count;
  }
};

// Mapping modes, background modes and other values shared by both formats.
namespace gdi {
inline constexpr int kMmText = 1, kMmLoMetric = 2, kMmHiMetric = 3, kMmLoEnglish = 4, kMmHiEnglish = 5,
                     kMmTwips = 6, kMmIsotropic = 7, kMmAnisotropic = 8;
inline constexpr int kTransparent = 1, kOpaque = 2;
inline constexpr int kAlternate = 1, kWinding = 2;
inline constexpr std::uint32_t kStockObject = 0x80000000u;
inline constexpr std::uint32_t kSrcCopy = 0x00CC0020u;
inline constexpr int kEtoOpaque = 0x2, kEtoClipped = 0x4, kEtoGlyphIndex = 0x10, kEtoPdy = 0x2000;
inline constexpr int kTaUpdateCp = 1, kTaRight = 2, kTaCenter = 6, kTaBottom = 8, kTaBaseline = 24;
}  // namespace gdi

// Caps that keep a hostile file from taking unbounded memory or time.
namespace limits {
inline constexpr std::int64_t kMaxRecords = 4'000'000;
inline constexpr std::int64_t kMaxPointsPerRecord = 4'000'000;
inline constexpr std::int64_t kMaxInts = 64'000'000;
inline constexpr std::int64_t kMaxObjects = 65'536;
inline constexpr std::int64_t kMaxBitmapSide = 32'768;
// Bitmaps are decoded when the file is read: all of a picture's bitmaps together hold no more pixels
// than an A4 page at 600 dpi (7016 × 4961).
inline constexpr std::int64_t kMaxBitmapPixels = 36'000'000;
inline constexpr std::int64_t kMaxTotalBitmapPixels = 36'000'000;
}  // namespace limits

}  // namespace orvella::metafile
