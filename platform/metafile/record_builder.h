// Shared steps of the two readers: appending commands with checked counts and tracking point bounds.
#pragma once

#include <QRectF>
#include <cstdint>
#include <limits>

#include "platform/metafile/damaged.h"
#include "platform/metafile/le_reader.h"
#include "platform/metafile/metafile_program.h"

namespace orvella::metafile {

class RecordBuilder {
 public:
  explicit RecordBuilder(Program& program) : p_(program) {}

  Program& program() { return p_; }

  void add(Op op, std::int32_t a = 0) {
    if (std::int64_t(p_.records.size()) >= limits::kMaxRecords)
      damaged(QStringLiteral("it holds too many records"));
    p_.add(op, a);
  }
  void push(std::int32_t value) {
    if (std::int64_t(p_.ints.size()) >= limits::kMaxInts) damaged(QStringLiteral("it holds too many points"));
    p_.push(value);
  }
  // A coordinate pair that also widens the bounds of everything drawn.
  void point(std::int32_t x, std::int32_t y) {
    push(x);
    push(y);
    minX_ = std::min<std::int64_t>(minX_, x);
    minY_ = std::min<std::int64_t>(minY_, y);
    maxX_ = std::max<std::int64_t>(maxX_, x);
    maxY_ = std::max<std::int64_t>(maxY_, y);
  }
  void checkCount(std::int64_t count) {
    if (count < 0 || count > limits::kMaxPointsPerRecord)
      damaged(QStringLiteral("a record claims %1 points").arg(count));
  }
  std::int32_t addText(const QByteArray& bytes, bool wide) {
    p_.texts.push_back(TextBytes{bytes, wide});
    return std::int32_t(p_.texts.size() - 1);
  }
  std::int32_t addImage(const QImage& image) {
    totalPixels_ += std::int64_t(image.width()) * image.height();
    if (totalPixels_ > limits::kMaxTotalBitmapPixels) damaged(QStringLiteral("its bitmaps are too large"));
    p_.images.push_back(image);
    return std::int32_t(p_.images.size() - 1);
  }
  void noteRasterOp(std::uint32_t rop) {
    switch (rop) {
      case 0x00CC0020u:  // source copy
      case 0x00F00021u:  // pattern copy
      case 0x00000042u:  // blackness
      case 0x00FF0062u:  // whiteness
      case 0x00330008u:  // inverted source
      case 0x00C000CAu:  // merge copy, drawn as a copy
      case 0x00AA0029u:  // destination unchanged
        return;
      default:
        if (rop >> 24 == 1) return;  // alpha blending
        p_.needsRasterOps = true;
    }
  }

  bool hasBounds() const { return minX_ <= maxX_ && minY_ <= maxY_; }
  QRectF bounds() const { return QRectF(QPointF(minX_, minY_), QPointF(maxX_, maxY_)); }

 private:
  Program& p_;
  std::int64_t minX_ = std::numeric_limits<std::int64_t>::max(), minY_ = minX_;
  std::int64_t maxX_ = std::numeric_limits<std::int64_t>::min(), maxY_ = maxX_;
  std::int64_t totalPixels_ = 0;
};

}  // namespace orvella::metafile
