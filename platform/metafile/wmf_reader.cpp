// Reads a Windows metafile (placeable or plain) into the command list, checking every size on the way.
#include <set>

#include "platform/metafile/dib_decoder.h"
#include "platform/metafile/metafile_readers.h"
#include "platform/metafile/record_builder.h"

namespace orvella::metafile {
namespace {

constexpr std::int64_t kPlaceableSize = 22;
constexpr std::int64_t kHeaderSize = 18;

// Object slots: every create record takes the lowest free one.
class SlotTable {
 public:
  std::int32_t take() {
    std::int32_t slot;
    if (!freed_.empty()) {
      slot = *freed_.begin();
      freed_.erase(freed_.begin());
    } else {
      if (next_ >= limits::kMaxObjects) damaged(QStringLiteral("it creates too many objects"));
      slot = next_++;
    }
    return slot;
  }
  void release(std::int32_t slot) {
    if (slot >= 0 && slot < next_) freed_.insert(slot);
  }

 private:
  std::set<std::int32_t> freed_;
  std::int32_t next_ = 0;
};

bool createsObject(std::uint16_t function) {
  const int low = function & 0xFF;
  return low >= 0xF7 || function == 0x0142;
}

class WmfReader {
 public:
  WmfReader(const LeReader& file, Program& program) : file_(file), b_(program) {}

  void read() {
    Program& p = b_.program();
    std::int64_t at = 0;
    const bool placeable = file_.u32(0) == kPlaceableKey;
    QRectF box;
    double unitsPerInch = 1440;
    if (placeable) {
      if (!file_.has(0, kPlaceableSize)) damaged(QStringLiteral("the file is truncated"));
      const int left = file_.i16(6), top = file_.i16(8), right = file_.i16(10), bottom = file_.i16(12);
      box = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
      if (box.width() <= 0 || box.height() <= 0) damaged(QStringLiteral("the picture has no size"));
      if (file_.u16(14) > 0) unitsPerInch = file_.u16(14);
      at = kPlaceableSize;
    }
    if (!file_.has(at, kHeaderSize)) damaged(QStringLiteral("the file is truncated"));
    const std::uint16_t type = file_.u16(at), headerWords = file_.u16(at + 2);
    if ((type != 1 && type != 2) || headerWords != 9) damaged(QStringLiteral("it is not a Windows metafile"));
    at += kHeaderSize;

    bool ended = false;
    while (file_.has(at, 6)) {
      const std::int64_t bytes = std::int64_t(file_.u32(at)) * 2;
      const std::uint16_t function = file_.u16(at + 4);
      if (bytes < 6) damaged(QStringLiteral("a record has a wrong size"));
      if (!file_.has(at, bytes)) damaged(QStringLiteral("the file is truncated"));
      if (function == 0x0000) {
        ended = true;
        break;
      }
      rec_ = file_.sub(at + 6, bytes - 6);
      recordWords_ = bytes / 2;
      function_ = function;
      readRecord();
      at += bytes;
    }
    if (!ended) damaged(QStringLiteral("the file is truncated"));

    if (placeable) {
      p.format = Format::PlaceableWmf;
      p.frame = box;
    } else {
      p.format = Format::PlainWmf;
      // A plain file has no box: the first window it sets names it, else what it draws.
      if (windowExt_.width() != 0 && windowExt_.height() != 0) {
        box = QRectF(windowOrg_, windowExt_);
      } else if (b_.hasBounds()) {
        box = b_.bounds();
        if (yUp_) box = QRectF(box.left(), box.bottom(), box.width(), -box.height());
      }
      if (box.width() == 0 || box.height() == 0) damaged(QStringLiteral("the picture has no size"));
      p.initialWindow = box;
      box = box.normalized();
      p.frame = box;
      unitsPerInch = metricUnitsPerInch_ > 0 ? metricUnitsPerInch_ : guessUnitsPerInch(box);
    }
    if (placeable) p.initialWindow = box;
    p.initialViewport = box;
    p.initialMapMode = gdi::kMmAnisotropic;
    p.unitsPerInchX = p.unitsPerInchY = unitsPerInch;
    p.naturalSize = QSizeF(box.width() / unitsPerInch * 96.0, box.height() / unitsPerInch * 96.0);
  }

 private:
  // Twips, the usual unit of plain files, unless the picture would then be smaller than half an inch.
  static double guessUnitsPerInch(const QRectF& box) {
    return std::max(box.width(), box.height()) >= 720 ? 1440.0 : 96.0;
  }

  void need(std::int64_t size) const {
    if (!rec_.has(0, size)) damaged(QStringLiteral("a record is too short"));
  }
  std::int32_t s16(std::int64_t at) const { return rec_.i16(at); }

  void one(Op op) {
    need(2);
    b_.add(op, rec_.u16(0));
  }
  void color(Op op) {
    need(4);
    b_.add(op, std::int32_t(rec_.u32(0)));
  }
  // Two values stored y first.
  void pair(Op op, bool bounds) {
    need(4);
    b_.add(op);
    if (bounds)
      b_.point(s16(2), s16(0));
    else {
      b_.push(s16(2));
      b_.push(s16(0));
    }
  }
  // A rectangle stored bottom, right, top, left after `skip` bytes.
  void rect(std::int64_t skip) {
    b_.point(s16(skip + 6), s16(skip + 4));
    b_.point(s16(skip + 2), s16(skip));
  }

  void readRecord() {
    switch (function_) {
      case 0x0201:
        color(Op::SetBkColor);
        break;
      case 0x0102:
        one(Op::SetBkMode);
        break;
      case 0x0103: {
        need(2);
        const int mode = rec_.u16(0);
        if (mode >= gdi::kMmLoMetric && mode <= gdi::kMmTwips) {
          static constexpr double kPerInch[] = {254, 2540, 100, 1000, 1440};
          metricUnitsPerInch_ = kPerInch[mode - gdi::kMmLoMetric];
          yUp_ = true;
        }
        b_.add(Op::SetMapMode, mode);
        break;
      }
      case 0x0104:
        one(Op::SetRop2);
        break;
      case 0x0106:
        one(Op::SetPolyFillMode);
        break;
      case 0x0209:
        color(Op::SetTextColor);
        break;
      case 0x012E:
        one(Op::SetTextAlign);
        break;
      case 0x020B:
        need(4);
        if (!sawWindowOrg_) windowOrg_ = QPointF(s16(2), s16(0));
        sawWindowOrg_ = true;
        pair(Op::SetWindowOrg, false);
        break;
      case 0x020C:
        need(4);
        if (!sawWindowExt_) windowExt_ = QSizeF(s16(2), s16(0));
        sawWindowExt_ = true;
        pair(Op::SetWindowExt, false);
        break;
      case 0x020D:
        pair(Op::SetViewportOrg, false);
        break;
      case 0x020E:
        pair(Op::SetViewportExt, false);
        break;
      case 0x020F:
        pair(Op::OffsetWindowOrg, false);
        break;
      case 0x0211:
        pair(Op::OffsetViewportOrg, false);
        break;
      case 0x0410:
      case 0x0412:
        need(8);
        b_.add(function_ == 0x0410 ? Op::ScaleWindowExt : Op::ScaleViewportExt);
        b_.push(s16(6));
        b_.push(s16(4));
        b_.push(s16(2));
        b_.push(s16(0));
        break;
      case 0x001E:
        b_.add(Op::SaveDC);
        break;
      case 0x0127:
        need(2);
        b_.add(Op::RestoreDC, s16(0));
        break;
      case 0x012D:
        one(Op::SelectObject);
        break;
      case 0x01F0:
        need(2);
        slots_.release(rec_.u16(0));
        b_.add(Op::DeleteObject, rec_.u16(0));
        break;
      case 0x0214:
        pair(Op::MoveTo, true);
        break;
      case 0x0213:
        pair(Op::LineTo, true);
        break;
      case 0x0325:
      case 0x0324: {
        need(2);
        const std::int64_t count = rec_.u16(0);
        need(2 + count * 4);
        b_.add(function_ == 0x0325 ? Op::Polyline : Op::Polygon);
        for (std::int64_t i = 0; i < count; ++i) b_.point(s16(2 + 4 * i), s16(4 + 4 * i));
        break;
      }
      case 0x0538: {
        need(2);
        const std::int64_t polygons = rec_.u16(0);
        need(2 + polygons * 2);
        std::int64_t total = 0;
        for (std::int64_t i = 0; i < polygons; ++i) total += rec_.u16(2 + 2 * i);
        b_.checkCount(total);
        const std::int64_t pointsAt = 2 + polygons * 2;
        need(pointsAt + total * 4);
        b_.add(Op::PolyPolygon);
        b_.push(std::int32_t(polygons));
        for (std::int64_t i = 0; i < polygons; ++i) b_.push(rec_.u16(2 + 2 * i));
        for (std::int64_t i = 0; i < total; ++i) b_.point(s16(pointsAt + 4 * i), s16(pointsAt + 4 * i + 2));
        break;
      }
      case 0x041B:
      case 0x0418:
        need(8);
        b_.add(function_ == 0x041B ? Op::Rectangle : Op::Ellipse);
        rect(0);
        break;
      case 0x061C:
        need(12);
        b_.add(Op::RoundRect);
        rect(4);
        b_.push(s16(2));
        b_.push(s16(0));
        break;
      case 0x0817:
      case 0x081A:
      case 0x0830:
        need(16);
        b_.add(function_ == 0x0817 ? Op::Arc : function_ == 0x081A ? Op::Pie : Op::Chord);
        rect(8);
        b_.point(s16(6), s16(4));
        b_.point(s16(2), s16(0));
        break;
      case 0x041F:
        need(8);
        b_.add(Op::SetPixel);
        b_.point(s16(6), s16(4));
        b_.push(std::int32_t(rec_.u32(0)));
        break;
      case 0x061D:
        need(12);
        b_.add(Op::PatBlt);
        b_.point(s16(10), s16(8));
        b_.push(s16(6));
        b_.push(s16(4));
        b_.push(std::int32_t(rec_.u32(0)));
        b_.noteRasterOp(rec_.u32(0));
        break;
      case 0x0521:
        readTextOut();
        break;
      case 0x0A32:
        readExtTextOut();
        break;
      case 0x0940:
      case 0x0B41:
      case 0x0F43:
      case 0x0D33:
        readBitmap();
        break;
      case 0x0416:
      case 0x0415:
        need(8);
        b_.add(function_ == 0x0416 ? Op::IntersectClipRect : Op::ExcludeClipRect);
        rect(0);
        break;
      case 0x012C:
        one(Op::SelectClipRegion);
        break;
      case 0x0220:
        pair(Op::OffsetClipRegion, false);
        break;
      default:
        if (createsObject(function_)) readCreate();
        break;  // anything else (escapes, palettes in use, obsolete records) is skipped by its size
    }
  }

  void readCreate() {
    const std::int32_t slot = slots_.take();
    switch (function_) {
      case 0x02FA:  // pen: style, width as a point, colour
        need(10);
        b_.add(Op::CreatePen, slot);
        b_.push(rec_.u16(0));
        b_.push(s16(2));
        b_.push(std::int32_t(rec_.u32(6)));
        return;
      case 0x02FC:  // brush: style, colour, hatch
        need(8);
        b_.add(Op::CreateBrush, slot);
        b_.push(rec_.u16(0));
        b_.push(std::int32_t(rec_.u32(2)));
        b_.push(rec_.u16(6));
        b_.push(-1);
        return;
      case 0x0142: {  // pattern brush from a bitmap
        need(4);
        const QImage image = decodeDib(rec_.sub(4, rec_.size() - 4), LeReader(), rec_.u16(2) == 1);
        const std::int32_t index = b_.addImage(image);
        b_.add(Op::CreateBrush, slot);
        b_.push(3);
        b_.push(0);
        b_.push(0);
        b_.push(index);
        return;
      }
      case 0x01F9: {
        const std::int32_t index = b_.addImage(decodeBitmap16(rec_));
        b_.add(Op::CreateBrush, slot);
        b_.push(3);
        b_.push(0);
        b_.push(0);
        b_.push(index);
        return;
      }
      case 0x02FB: {
        need(18);
        b_.add(Op::CreateFont, slot);
        for (int i = 0; i < 5; ++i) b_.push(s16(2 * i));
        for (int i = 0; i < 4; ++i) b_.push(rec_.u8(10 + i));
        QByteArray face = rec_.bytes(18, std::min<std::int64_t>(32, rec_.size() - 18));
        const qsizetype nul = face.indexOf('\0');
        if (nul >= 0) face.truncate(nul);
        b_.push(b_.addText(face, false));
        return;
      }
      case 0x06FF:
        readRegion(slot);
        return;
      default:
        b_.add(Op::CreateOther, slot);
        return;
    }
  }

  // A region: a header with its bounds, then scans of left-right pairs; the bounds stand in for a
  // region whose scans do not add up.
  void readRegion(std::int32_t slot) {
    need(22);
    const std::int64_t scans = rec_.u16(10);
    b_.add(Op::CreateRegion, slot);
    std::int64_t at = 22;
    std::int64_t rects = 0;
    bool whole = true;
    for (std::int64_t s = 0; s < scans && whole; ++s) {
      if (!rec_.has(at, 6)) {
        whole = false;
        break;
      }
      const std::int64_t count = rec_.u16(at);
      const std::int32_t top = s16(at + 2), bottom = s16(at + 4);
      if (count % 2 || !rec_.has(at + 6, count * 2 + 2)) {
        whole = false;
        break;
      }
      for (std::int64_t i = 0; i + 1 < count; i += 2) {
        b_.push(s16(at + 6 + 2 * i));
        b_.push(top);
        b_.push(s16(at + 8 + 2 * i));
        b_.push(bottom);
        ++rects;
      }
      at += 6 + count * 2 + 2;
    }
    if (!whole || rects == 0) {
      Record& r = b_.program().records.back();
      b_.program().ints.resize(r.first);
      r.count = 0;
      for (int i = 0; i < 4; ++i) b_.push(s16(14 + 2 * i));
    }
  }

  QByteArray evenString(std::int64_t at, std::int64_t length) const {
    need(at + length);
    return rec_.bytes(at, length);
  }

  void readTextOut() {
    need(2);
    const std::int64_t length = rec_.u16(0);
    const std::int64_t padded = (length + 1) & ~std::int64_t(1);
    need(2 + padded + 4);
    const QByteArray text = evenString(2, length);
    b_.add(Op::Text, b_.addText(text, false));
    b_.point(s16(2 + padded + 2), s16(2 + padded));
    for (int i = 0; i < 5; ++i) b_.push(0);
  }

  void readExtTextOut() {
    need(8);
    const std::int32_t y = s16(0), x = s16(2);
    const std::int64_t length = rec_.u16(4);
    const int options = rec_.u16(6);
    std::int64_t at = 8;
    std::int32_t box[4] = {0, 0, 0, 0};
    if (options & (gdi::kEtoOpaque | gdi::kEtoClipped)) {
      need(16);
      for (int i = 0; i < 4; ++i) box[i] = s16(8 + 2 * i);
      at = 16;
    }
    const QByteArray text = evenString(at, length);
    at += (length + 1) & ~std::int64_t(1);
    b_.add(Op::Text, b_.addText(text, false));
    b_.point(x, y);
    b_.push(options);
    for (int i = 0; i < 4; ++i) b_.push(box[i]);
    if (rec_.has(at, length * 2) && length > 0)
      for (std::int64_t i = 0; i < length; ++i) b_.push(s16(at + 2 * i));
  }

  void readBitmap() {
    // Fields stored last to first; a record without a bitmap has one more word and fills with the brush.
    const bool withBitmap = recordWords_ != (function_ >> 8) + 3;
    std::int64_t dibAt = 0;
    std::uint32_t rop = gdi::kSrcCopy;
    std::int32_t d[4] = {0, 0, 0, 0}, s[4] = {0, 0, 0, 0};
    bool paletteIndices = false;
    switch (function_) {
      case 0x0940:  // rop, ySrc, xSrc, [reserved], height, width, yDst, xDst
        need(withBitmap ? 16 : 18);
        rop = rec_.u32(0);
        {
          const std::int64_t k = withBitmap ? 8 : 10;
          s[1] = s16(4), s[0] = s16(6);
          d[3] = s[3] = s16(k), d[2] = s[2] = s16(k + 2), d[1] = s16(k + 4), d[0] = s16(k + 6);
          dibAt = k + 8;
        }
        break;
      case 0x0B41:  // rop, srcH, srcW, ySrc, xSrc, [reserved], dstH, dstW, yDst, xDst
        need(withBitmap ? 20 : 22);
        rop = rec_.u32(0);
        s[3] = s16(4), s[2] = s16(6), s[1] = s16(8), s[0] = s16(10);
        {
          const std::int64_t k = withBitmap ? 12 : 14;
          d[3] = s16(k), d[2] = s16(k + 2), d[1] = s16(k + 4), d[0] = s16(k + 6);
          dibAt = k + 8;
        }
        break;
      case 0x0F43:  // rop, usage, srcH, srcW, ySrc, xSrc, dstH, dstW, yDst, xDst
        need(22);
        rop = rec_.u32(0);
        paletteIndices = rec_.u16(4) == 1;
        s[3] = s16(6), s[2] = s16(8), s[1] = s16(10), s[0] = s16(12);
        d[3] = s16(14), d[2] = s16(16), d[1] = s16(18), d[0] = s16(20);
        dibAt = 22;
        break;
      case 0x0D33:  // usage, scans, start scan, yDib, xDib, height, width, yDst, xDst
        need(18);
        paletteIndices = rec_.u16(0) == 1;
        s[1] = s16(6), s[0] = s16(8), s[3] = d[3] = s16(10), s[2] = d[2] = s16(12), d[1] = s16(14),
        d[0] = s16(16);
        dibAt = 18;
        break;
    }
    std::int32_t image = -1;
    if (withBitmap)
      image = b_.addImage(decodeDib(rec_.sub(dibAt, rec_.size() - dibAt), LeReader(), paletteIndices));
    b_.noteRasterOp(rop);
    b_.add(Op::Image, image);
    b_.point(d[0], d[1]);
    b_.point(d[0] + d[2], d[1] + d[3]);
    for (int i = 0; i < 4; ++i) b_.push(s[i]);
    b_.push(std::int32_t(rop));
  }

  const LeReader& file_;
  RecordBuilder b_;
  LeReader rec_;
  std::int64_t recordWords_ = 0;
  std::uint16_t function_ = 0;
  SlotTable slots_;
  QPointF windowOrg_;
  bool sawWindowOrg_ = false;
  QSizeF windowExt_{0, 0};
  bool sawWindowExt_ = false;
  double metricUnitsPerInch_ = 0;
  bool yUp_ = false;
};

}  // namespace

bool looksLikeWmf(const LeReader& file) {
  if (file.u32(0) == kPlaceableKey) return true;
  const std::uint16_t type = file.u16(0);
  return (type == 1 || type == 2) && file.u16(2) == 9;
}

Program readWmf(const LeReader& file) {
  Program program;
  WmfReader(file, program).read();
  return program;
}

}  // namespace orvella::metafile
