// Reads an enhanced metafile into the command list, checking every size and offset on the way.
#include "platform/metafile/dib_decoder.h"
#include "platform/metafile/metafile_readers.h"
#include "platform/metafile/record_builder.h"

namespace orvella::metafile {
namespace {

constexpr std::int64_t kMinHeader = 88;
constexpr std::uint32_t kEmfPlusComment = 0x2B464D45u;  // "EMF+"

class EmfReader {
 public:
  EmfReader(const LeReader& file, Program& program) : file_(file), b_(program) {}

  bool sawEmfPlus() const { return emfPlus_; }

  void read() {
    Program& p = b_.program();
    p.format = Format::Emf;
    if (!file_.has(0, kMinHeader)) damaged(QStringLiteral("the file is truncated"));
    const std::int64_t headerSize = file_.u32(4);
    if (headerSize < kMinHeader || headerSize % 4) damaged(QStringLiteral("its header has a wrong size"));
    if (!file_.has(0, headerSize)) damaged(QStringLiteral("the file is truncated"));

    // The frame is in hundredths of a millimetre; the reference device gives pixels per millimetre.
    const QRectF frame =
        QRectF(QPointF(file_.i32(24), file_.i32(28)), QPointF(file_.i32(32), file_.i32(36))).normalized();
    const QRectF bounds =
        QRectF(QPointF(file_.i32(8), file_.i32(12)), QPointF(file_.i32(16), file_.i32(20))).normalized();
    double pxPerMmX = double(file_.i32(72)) / file_.i32(80);
    double pxPerMmY = double(file_.i32(76)) / file_.i32(84);
    if (headerSize >= 108 && file_.i32(100) > 0 && file_.i32(104) > 0 && file_.i32(72) > 0 &&
        file_.i32(76) > 0) {
      pxPerMmX = double(file_.i32(72)) * 1000.0 / file_.i32(100);
      pxPerMmY = double(file_.i32(76)) * 1000.0 / file_.i32(104);
    }
    if (file_.i32(72) <= 0 || file_.i32(80) <= 0 || !(pxPerMmX > 0.01 && pxPerMmX < 1e5))
      pxPerMmX = 96 / 25.4;
    if (file_.i32(76) <= 0 || file_.i32(84) <= 0 || !(pxPerMmY > 0.01 && pxPerMmY < 1e5))
      pxPerMmY = 96 / 25.4;
    p.unitsPerInchX = pxPerMmX * 25.4;
    p.unitsPerInchY = pxPerMmY * 25.4;
    if (frame.width() > 0 && frame.height() > 0) {
      p.frame = QRectF(frame.left() * pxPerMmX / 100, frame.top() * pxPerMmY / 100,
                       frame.width() * pxPerMmX / 100, frame.height() * pxPerMmY / 100);
      p.naturalSize = QSizeF(frame.width() / 2540.0 * 96.0, frame.height() / 2540.0 * 96.0);
    } else if (bounds.width() > 0 && bounds.height() > 0) {
      p.frame = bounds.adjusted(0, 0, 1, 1);
      p.naturalSize = QSizeF(p.frame.width() / p.unitsPerInchX * 96, p.frame.height() / p.unitsPerInchY * 96);
    } else {
      damaged(QStringLiteral("the picture has no size"));
    }
    p.initialMapMode = gdi::kMmText;
    p.initialWindow = p.initialViewport = QRectF(0, 0, 1, 1);

    std::int64_t at = headerSize;
    bool ended = false;
    while (file_.has(at, 8)) {
      const std::uint32_t type = file_.u32(at);
      const std::int64_t size = file_.u32(at + 4);
      if (size < 8) damaged(QStringLiteral("a record has a wrong size"));
      if (!file_.has(at, size)) damaged(QStringLiteral("the file is truncated"));
      if (type == 14) {
        ended = true;
        break;
      }
      rec_ = file_.sub(at, size);
      readRecord(type);
      at += size;
    }
    if (!ended) damaged(QStringLiteral("the file is truncated"));
  }

 private:
  void need(std::int64_t size) const {
    if (!rec_.has(0, size)) damaged(QStringLiteral("a record is too short"));
  }
  std::int32_t i32(std::int64_t at) const { return rec_.i32(at); }

  void one(Op op) {
    need(12);
    b_.add(op, i32(8));
  }
  void pair(Op op, bool bounds) {
    need(16);
    b_.add(op);
    if (bounds)
      b_.point(i32(8), i32(12));
    else {
      b_.push(i32(8));
      b_.push(i32(12));
    }
  }
  void rect(std::int64_t at) {
    b_.point(i32(at), i32(at + 4));
    b_.point(i32(at + 8), i32(at + 12));
  }
  void floats(std::int64_t at) {
    for (int i = 0; i < 6; ++i) b_.push(i32(at + 4 * i));
  }

  void readRecord(std::uint32_t type) {
    switch (type) {
      case 17:
        one(Op::SetMapMode);
        break;
      case 18:
        one(Op::SetBkMode);
        break;
      case 19:
        one(Op::SetPolyFillMode);
        break;
      case 20:
        one(Op::SetRop2);
        break;
      case 22:
        one(Op::SetTextAlign);
        break;
      case 24:
        one(Op::SetTextColor);
        break;
      case 25:
        one(Op::SetBkColor);
        break;
      case 57:
        one(Op::SetArcDirection);
        break;
      case 58:
        one(Op::SetMiterLimit);
        break;
      case 9:
        pair(Op::SetWindowExt, false);
        break;
      case 10:
        pair(Op::SetWindowOrg, false);
        break;
      case 11:
        pair(Op::SetViewportExt, false);
        break;
      case 12:
        pair(Op::SetViewportOrg, false);
        break;
      case 31:
      case 32:
        need(24);
        b_.add(type == 31 ? Op::ScaleViewportExt : Op::ScaleWindowExt);
        for (int i = 0; i < 4; ++i) b_.push(i32(8 + 4 * i));
        break;
      case 35:
        need(32);
        b_.add(Op::SetWorldTransform);
        floats(8);
        break;
      case 36:
        need(36);
        b_.add(Op::ModifyWorldTransform, i32(32));
        floats(8);
        break;
      case 33:
        b_.add(Op::SaveDC);
        break;
      case 34:
        one(Op::RestoreDC);
        break;
      case 37:
        one(Op::SelectObject);
        break;
      case 40:
        one(Op::DeleteObject);
        break;
      case 38:  // pen: index, style, width as a point, colour
        need(28);
        b_.add(Op::CreatePen, slot(8));
        b_.push(i32(12));
        b_.push(i32(16));
        b_.push(i32(24));
        break;
      case 95:
        readExtPen();
        break;
      case 39:
        need(24);
        b_.add(Op::CreateBrush, slot(8));
        b_.push(i32(12));
        b_.push(i32(16));
        b_.push(i32(20));
        b_.push(-1);
        break;
      case 93:
      case 94: {
        need(32);
        const std::int32_t index = b_.addImage(bitmap(16, 20, 24, 28, rec_.u32(12) == 1));
        b_.add(Op::CreateBrush, slot(8));
        b_.push(3);
        b_.push(0);
        b_.push(0);
        b_.push(index);
        break;
      }
      case 82:
        readFont();
        break;
      case 49:
        need(12);
        b_.add(Op::CreateOther, slot(8));
        break;
      case 27:
        pair(Op::MoveTo, true);
        break;
      case 54:
        pair(Op::LineTo, true);
        break;
      case 2:
        points(Op::PolyBezier, false);
        break;
      case 3:
        points(Op::Polygon, false);
        break;
      case 4:
        points(Op::Polyline, false);
        break;
      case 5:
        points(Op::PolyBezierTo, false);
        break;
      case 6:
        points(Op::PolylineTo, false);
        break;
      case 85:
        points(Op::PolyBezier, true);
        break;
      case 86:
        points(Op::Polygon, true);
        break;
      case 87:
        points(Op::Polyline, true);
        break;
      case 88:
        points(Op::PolyBezierTo, true);
        break;
      case 89:
        points(Op::PolylineTo, true);
        break;
      case 7:
        polyPoly(Op::PolyPolyline, false);
        break;
      case 8:
        polyPoly(Op::PolyPolygon, false);
        break;
      case 90:
        polyPoly(Op::PolyPolyline, true);
        break;
      case 91:
        polyPoly(Op::PolyPolygon, true);
        break;
      case 42:
      case 43:
        need(24);
        b_.add(type == 42 ? Op::Ellipse : Op::Rectangle);
        rect(8);
        break;
      case 44:
        need(32);
        b_.add(Op::RoundRect);
        rect(8);
        b_.push(i32(24));
        b_.push(i32(28));
        break;
      case 45:
      case 46:
      case 47:
      case 55:
        need(40);
        b_.add(type == 45 ? Op::Arc : type == 46 ? Op::Chord : type == 47 ? Op::Pie : Op::ArcTo);
        rect(8);
        b_.point(i32(24), i32(28));
        b_.point(i32(32), i32(36));
        break;
      case 15:
        need(20);
        b_.add(Op::SetPixel);
        b_.point(i32(8), i32(12));
        b_.push(i32(16));
        break;
      case 59:
        b_.add(Op::BeginPath);
        break;
      case 60:
        b_.add(Op::EndPath);
        break;
      case 61:
        b_.add(Op::CloseFigure);
        break;
      case 62:
        b_.add(Op::FillPath);
        break;
      case 63:
        b_.add(Op::StrokeAndFillPath);
        break;
      case 64:
        b_.add(Op::StrokePath);
        break;
      case 68:
        b_.add(Op::AbortPath);
        break;
      case 67:
        one(Op::SelectClipPath);
        break;
      case 70:
        if (rec_.has(12, 4) && rec_.u32(12) == kEmfPlusComment) emfPlus_ = true;
        break;
      case 75:
        readClipRegion();
        break;
      case 29:
      case 30:
        need(24);
        b_.add(type == 30 ? Op::IntersectClipRect : Op::ExcludeClipRect);
        rect(8);
        break;
      case 26:
        pair(Op::OffsetClipRegion, false);
        break;
      case 83:
      case 84:
        readText(type == 84);
        break;
      case 76:
      case 77:
      case 81:
      case 80:
      case 114:
        readBitmapRecord(type);
        break;
      default:
        break;  // skipped by its size
    }
  }

  std::int32_t slot(std::int64_t at) const {
    const std::uint32_t index = rec_.u32(at);
    if (index == 0 || index >= limits::kMaxObjects) damaged(QStringLiteral("an object has a wrong index"));
    return std::int32_t(index);
  }

  void points(Op op, bool small) {
    need(28);
    const std::int64_t count = rec_.u32(24);
    b_.checkCount(count);
    const std::int64_t size = small ? 4 : 8;
    need(28 + count * size);
    b_.add(op);
    for (std::int64_t i = 0; i < count; ++i) {
      const std::int64_t at = 28 + i * size;
      if (small)
        b_.point(rec_.i16(at), rec_.i16(at + 2));
      else
        b_.point(i32(at), i32(at + 4));
    }
  }

  void polyPoly(Op op, bool small) {
    need(32);
    const std::int64_t polys = rec_.u32(24), total = rec_.u32(28);
    b_.checkCount(polys);
    b_.checkCount(total);
    need(32 + polys * 4);
    std::int64_t sum = 0;
    for (std::int64_t i = 0; i < polys; ++i) sum += rec_.u32(32 + 4 * i);
    if (sum != total) damaged(QStringLiteral("a record's point counts do not add up"));
    const std::int64_t size = small ? 4 : 8, pointsAt = 32 + polys * 4;
    need(pointsAt + total * size);
    b_.add(op);
    b_.push(std::int32_t(polys));
    for (std::int64_t i = 0; i < polys; ++i) b_.push(std::int32_t(rec_.u32(32 + 4 * i)));
    for (std::int64_t i = 0; i < total; ++i) {
      const std::int64_t at = pointsAt + i * size;
      if (small)
        b_.point(rec_.i16(at), rec_.i16(at + 2));
      else
        b_.point(i32(at), i32(at + 4));
    }
  }

  void readExtPen() {
    need(52);
    const std::int64_t entries = rec_.u32(48);
    std::uint32_t style = rec_.u32(28);
    if (rec_.u32(36) == 1) style = (style & ~0xFu) | 5u;  // a hollow brush draws nothing
    b_.add(Op::CreatePen, slot(8));
    b_.push(std::int32_t(style));
    b_.push(i32(32));
    b_.push(i32(40));
    if ((style & 0xF) == 7 && entries > 0 && entries <= 16 && rec_.has(52, entries * 4))
      for (std::int64_t i = 0; i < entries; ++i) b_.push(i32(52 + 4 * i));
  }

  void readFont() {
    need(104);
    b_.add(Op::CreateFont, slot(8));
    for (int i = 0; i < 5; ++i) b_.push(i32(12 + 4 * i));
    for (int i = 0; i < 4; ++i) b_.push(rec_.u8(32 + i));
    QByteArray face = rec_.bytes(40, 64);
    for (int i = 0; i + 1 < face.size(); i += 2)
      if (face[i] == 0 && face[i + 1] == 0) {
        face.truncate(i);
        break;
      }
    b_.push(b_.addText(face, true));
  }

  void readText(bool wide) {
    need(76);
    const std::int64_t chars = rec_.u32(44), stringAt = rec_.u32(48);
    const int options = i32(52);
    b_.checkCount(chars);
    const std::int64_t bytes = chars * (wide ? 2 : 1);
    if (!rec_.has(stringAt, bytes)) damaged(QStringLiteral("a text lies outside its record"));
    // Without a rectangle the advances' offset moves up into its place.
    const bool noRect = options & 0x100;
    const std::int64_t dxAt = rec_.u32(noRect ? 56 : 72);
    if (options & gdi::kEtoGlyphIndex) return;  // glyph numbers of a font we do not have
    b_.add(Op::Text, b_.addText(rec_.bytes(stringAt, bytes), wide));
    b_.point(i32(36), i32(40));
    b_.push(options);
    if (noRect) {
      for (int i = 0; i < 4; ++i) b_.push(0);
    } else {
      for (int i = 0; i < 4; ++i) b_.push(i32(56 + 4 * i));
    }
    const std::int64_t step = (options & gdi::kEtoPdy) ? 8 : 4;
    if (dxAt > 0 && chars > 0 && rec_.has(dxAt, chars * step))
      for (std::int64_t i = 0; i < chars; ++i) b_.push(i32(dxAt + i * step));
  }

  // Offsets and sizes of a bitmap's header and pixels inside the record.
  QImage bitmap(std::int64_t offInfo, std::int64_t cbInfo, std::int64_t offBits, std::int64_t cbBits,
                bool paletteIndices) {
    const std::int64_t infoAt = rec_.u32(offInfo), infoSize = rec_.u32(cbInfo);
    const std::int64_t bitsAt = rec_.u32(offBits), bitsSize = rec_.u32(cbBits);
    if (!rec_.has(infoAt, infoSize) || !rec_.has(bitsAt, bitsSize) || infoSize == 0)
      damaged(QStringLiteral("a bitmap lies outside its record"));
    LeReader bits = rec_.sub(bitsAt, bitsSize);
    if (bitsSize == 0) bits = LeReader();
    return decodeDib(rec_.sub(infoAt, infoSize), bits, paletteIndices);
  }

  void readBitmapRecord(std::uint32_t type) {
    std::int32_t d[4] = {}, s[4] = {};
    std::uint32_t rop = gdi::kSrcCopy;
    std::int32_t image = -1;
    auto maybeBitmap = [&](std::int64_t offInfo, std::int64_t usageAt) {
      if (rec_.u32(offInfo + 4) == 0) return;  // no bitmap: a fill with the brush
      image = b_.addImage(bitmap(offInfo, offInfo + 4, offInfo + 8, offInfo + 12, rec_.u32(usageAt) == 1));
    };
    switch (type) {
      case 76:  // bit block transfer: dest, rop, source origin, ..., bitmap
      case 77:
        need(type == 76 ? 100 : 108);
        for (int i = 0; i < 4; ++i) d[i] = i32(24 + 4 * i);
        rop = rec_.u32(40);
        s[0] = i32(44), s[1] = i32(48);
        s[2] = type == 77 ? i32(100) : d[2];
        s[3] = type == 77 ? i32(104) : d[3];
        maybeBitmap(84, 80);
        break;
      case 81:  // stretch: dest origin, source rect, bitmap, usage, rop, dest size
        need(80);
        d[0] = i32(24), d[1] = i32(28), d[2] = i32(72), d[3] = i32(76);
        for (int i = 0; i < 4; ++i) s[i] = i32(32 + 4 * i);
        rop = rec_.u32(68);
        maybeBitmap(48, 64);
        break;
      case 80:  // to device, unscaled
        need(76);
        d[0] = i32(24), d[1] = i32(28), d[2] = i32(40), d[3] = i32(44);
        for (int i = 0; i < 4; ++i) s[i] = i32(32 + 4 * i);
        maybeBitmap(48, 64);
        break;
      case 114: {  // alpha blend: constant alpha and whether the bitmap carries premultiplied alpha
        need(108);
        for (int i = 0; i < 4; ++i) d[i] = i32(24 + 4 * i);
        const std::uint32_t blend = rec_.u32(40);
        const int constant = (blend >> 16) & 0xFF, format = (blend >> 24) & 0xFF;
        rop = 0x01000000u | std::uint32_t(constant << 8) | std::uint32_t(format & 1);
        s[0] = i32(44), s[1] = i32(48), s[2] = i32(100), s[3] = i32(104);
        maybeBitmap(84, 80);
        if (image >= 0 && (format & 1)) {
          QImage& img = b_.program().images[std::size_t(image)];
          img = img.convertToFormat(QImage::Format_ARGB32);
          for (int y = 0; y < img.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
              const int a = qAlpha(row[x]);
              row[x] = qPremultiply(qRgba(std::min(qRed(row[x]), a), std::min(qGreen(row[x]), a),
                                          std::min(qBlue(row[x]), a), a));
            }
          }
          img.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
        }
        break;
      }
    }
    b_.noteRasterOp(rop);
    b_.add(Op::Image, image);
    b_.point(d[0], d[1]);
    b_.point(std::int32_t(std::int64_t(d[0]) + d[2]), std::int32_t(std::int64_t(d[1]) + d[3]));
    for (int i = 0; i < 4; ++i) b_.push(s[i]);
    b_.push(std::int32_t(rop));
  }

  void readClipRegion() {
    need(16);
    const std::int64_t dataSize = rec_.u32(8);
    const int mode = i32(12);
    b_.add(Op::DeviceClipRegion, mode);
    if (dataSize == 0) return;
    if (!rec_.has(16, dataSize) || dataSize < 32)
      damaged(QStringLiteral("a clip region lies outside its record"));
    const std::int64_t count = rec_.u32(24);
    b_.checkCount(count);
    if (!rec_.has(48, count * 16)) damaged(QStringLiteral("a clip region lies outside its record"));
    for (std::int64_t i = 0; i < count; ++i)
      for (int k = 0; k < 4; ++k) b_.push(i32(48 + 16 * i + 4 * k));
  }

  const LeReader& file_;
  RecordBuilder b_;
  LeReader rec_;
  bool emfPlus_ = false;
};

}  // namespace

bool looksLikeEmf(const LeReader& file) { return file.u32(0) == 1 && file.u32(40) == kEmfSignature; }

Program readEmf(const LeReader& file) {
  Program program;
  EmfReader reader(file, program);
  reader.read();
  bool draws = false;
  for (const Record& r : program.records)
    if (r.op >= Op::MoveTo && r.op <= Op::Image)
      draws = true;
    else if (r.op >= Op::FillPath && r.op <= Op::StrokeAndFillPath)
      draws = true;
  if (!draws && reader.sawEmfPlus())
    damaged(QStringLiteral("it holds only EMF+ records, which cannot be drawn"));
  return program;
}

}  // namespace orvella::metafile
