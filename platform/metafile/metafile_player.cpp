// Plays the command list of a metafile onto a QPainter: mapping, object table, saved states, paths, clip.
#include "platform/metafile/metafile_player.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRegion>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/metafile/code_pages.h"

namespace orvella::metafile {
namespace {

constexpr int kMaxSavedStates = 1024;
constexpr double kMaxScale = 1e7;
// Clip regions are kept as rectangles on a grid of this many steps across the frame's longer side.
constexpr double kClipGrid = 8192;
constexpr int kMaxClipRects = 20000;
constexpr int kMaxRegionPieces = 1000;
// Glyphs whose em, stretched, covers more device pixels than this are drawn as outlines: Qt keeps an
// image of every glyph it caches, and its own size check leaves the stretch out, so a font stretched
// a thousandfold would ask for gigabytes.
constexpr double kMaxCachedGlyphPixels = 128;
// The largest em a font gets on the device, in pixels, and the widest stretch, in percent.
constexpr int kMaxFontPixels = 5000;
constexpr int kMaxFontStretch = 4000;
// A pen is at most this many times the picture's diagonal on the device: wider would cover no more.
constexpr double kMaxPenToPicture = 2;
// Pictures drawn through images of their own: at most this many pixels each (three are made).
constexpr double kMaxOffscreenPixels = 8'000'000;

QColor colorOf(std::int32_t ref) {
  const auto v = std::uint32_t(ref);
  return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

float floatOf(std::int32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

struct PenObj {
  int style = 0;  // solid
  double width = 0;
  QColor color = Qt::black;
  QList<qreal> dashes;
};

struct BrushObj {
  int style = 0;  // solid
  QColor color = Qt::white;
  int hatch = 0;
  int image = -1;
};

struct FontObj {
  int height = 0, width = 0, escapement = 0, weight = 0;
  bool italic = false, underline = false, strikeOut = false;
  int charset = 1;
  QString face;
};

struct Object {
  enum Kind { None, Pen, Brush, Font, Region, Other } kind = None;
  PenObj pen;
  BrushObj brush;
  FontObj font;
  QPainterPath region;  // logical units, axis-aligned rectangles
};

struct State {
  int mapMode = gdi::kMmText;
  QPointF winOrg, winExt{1, 1}, vpOrg, vpExt{1, 1};
  QTransform world;
  PenObj pen;
  BrushObj brush;
  FontObj font;
  QColor bkColor = Qt::white, textColor = Qt::black;
  int bkMode = gdi::kOpaque, textAlign = 0, fillMode = gdi::kAlternate, rop2 = 13;
  bool clockwise = false;
  double miterLimit = 10;
  QPointF current;
  bool hasClip = false;
  QRegion clip;  // clip grid units
};

class Player {
 public:
  Player(const Program& program, QPainter& painter, const QRectF& target)
      : p_(program), painter_(painter), target_(target) {}

  void play() {
    if (p_.frame.width() <= 0 || p_.frame.height() <= 0 || target_.isEmpty()) return;
    painter_.save();
    base_ = painter_.transform();
    frameToTarget_ =
        QTransform::fromTranslate(-p_.frame.left(), -p_.frame.top()) *
        QTransform::fromScale(target_.width() / p_.frame.width(), target_.height() / p_.frame.height()) *
        QTransform::fromTranslate(target_.left(), target_.top());
    const double grid = kClipGrid / std::max(p_.frame.width(), p_.frame.height());
    frameToGrid_ =
        QTransform::fromTranslate(-p_.frame.left(), -p_.frame.top()) * QTransform::fromScale(grid, grid);
    gridToFrame_ = frameToGrid_.inverted();
    outerClip_.addRect(target_);
    if (painter_.hasClipping()) outerClip_ = outerClip_.intersected(painter_.clipPath());
    const QPaintDevice* device = painter_.device();
    const double dpi = device ? std::max(device->logicalDpiX(), 1) : 96;
    hairline_ = std::max(1.0, dpi / 96.0);
    const QRectF onDevice = base_.mapRect(target_);
    maxPenPixels_ = std::max(hairline_, kMaxPenToPicture * std::hypot(onDevice.width(), onDevice.height()));
    raster_ = painter_.paintEngine() && painter_.paintEngine()->type() == QPaintEngine::Raster;
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);

    s_.mapMode = p_.initialMapMode;
    s_.winOrg = p_.initialWindow.topLeft();
    s_.winExt = QPointF(p_.initialWindow.width(), p_.initialWindow.height());
    s_.vpOrg = p_.initialViewport.topLeft();
    s_.vpExt = QPointF(p_.initialViewport.width(), p_.initialViewport.height());
    s_.font.face = QStringLiteral("Arial");
    clipDirty_ = true;
    transformDirty_ = true;

    for (const Record& r : p_.records) step(r);
    painter_.restore();
  }

 private:
  // ---- integers of a record ----
  std::int32_t at(const Record& r, std::uint32_t i) const {
    return i < r.count ? p_.ints[std::size_t(r.first) + i] : 0;
  }
  QPointF pt(const Record& r, std::uint32_t i) const { return QPointF(at(r, i), at(r, i + 1)); }
  QRectF rectAt(const Record& r, std::uint32_t i) const {
    return QRectF(pt(r, i), pt(r, i + 2)).normalized();
  }
  QPolygonF polygon(const Record& r, std::uint32_t from, std::uint32_t count) const {
    QPolygonF poly;
    poly.reserve(qsizetype(count));
    for (std::uint32_t k = 0; k < count && from + 2 * k + 1 < r.count; ++k) poly.append(pt(r, from + 2 * k));
    return poly;
  }

  // ---- mapping ----
  QTransform pageTransform() const {
    double sx = 1, sy = 1;
    const int mode = p_.format == Format::PlainWmf ? gdi::kMmAnisotropic : s_.mapMode;
    switch (mode) {
      case gdi::kMmLoMetric:
        sx = sy = 1.0 / 254;
        break;
      case gdi::kMmHiMetric:
        sx = sy = 1.0 / 2540;
        break;
      case gdi::kMmLoEnglish:
        sx = sy = 1.0 / 100;
        break;
      case gdi::kMmHiEnglish:
        sx = sy = 1.0 / 1000;
        break;
      case gdi::kMmTwips:
        sx = sy = 1.0 / 1440;
        break;
      case gdi::kMmIsotropic:
      case gdi::kMmAnisotropic:
        sx = s_.winExt.x() != 0 ? s_.vpExt.x() / s_.winExt.x() : 1;
        sy = s_.winExt.y() != 0 ? s_.vpExt.y() / s_.winExt.y() : 1;
        if (mode == gdi::kMmIsotropic) {
          const double m = std::min(std::abs(sx), std::abs(sy));
          sx = std::copysign(m, sx);
          sy = std::copysign(m, sy);
        }
        break;
      default:
        break;
    }
    if (mode >= gdi::kMmLoMetric && mode <= gdi::kMmTwips) {
      sx *= p_.unitsPerInchX;
      sy *= -p_.unitsPerInchY;
    }
    return QTransform::fromTranslate(-s_.winOrg.x(), -s_.winOrg.y()) * QTransform::fromScale(sx, sy) *
           QTransform::fromTranslate(s_.vpOrg.x(), s_.vpOrg.y());
  }
  QTransform logicalToFrame() const { return s_.world * pageTransform(); }

  static bool sane(const QTransform& t) {
    const double v[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (double x : v)
      if (!std::isfinite(x) || std::abs(x) > 1e12) return false;
    const double det = t.m11() * t.m22() - t.m12() * t.m21();
    return std::abs(det) > 1e-18;
  }

  // Brings the painter's transform and clip up to date; false when nothing sane can be drawn.
  bool ready() {
    if (clipDirty_) applyClip();
    if (transformDirty_) {
      l2f_ = logicalToFrame();
      full_ = l2f_ * frameToTarget_ * base_;
      valid_ = sane(full_) && std::abs(full_.m11()) + std::abs(full_.m12()) < kMaxScale &&
               std::abs(full_.m21()) + std::abs(full_.m22()) < kMaxScale;
      painter_.setTransform(full_);
      transformDirty_ = false;
    }
    return valid_;
  }
  double scaleX() const { return std::hypot(full_.m11(), full_.m12()); }
  double scaleY() const { return std::hypot(full_.m21(), full_.m22()); }

  void applyClip() {
    clipDirty_ = false;
    painter_.setTransform(base_);
    painter_.setClipPath(outerClip_);
    if (s_.hasClip) {
      painter_.setTransform(gridToFrame_ * frameToTarget_ * base_);
      painter_.setClipRegion(s_.clip, Qt::IntersectClip);
    }
    transformDirty_ = true;
  }

  // ---- pens and brushes ----
  QPen makePen(double logicalScale) const {
    const PenObj& o = s_.pen;
    const int style = o.style & 0xF;
    if (style == 5 || s_.rop2 == 11) return Qt::NoPen;
    QColor color = o.color;
    if (s_.rop2 == 1) color = Qt::black;
    if (s_.rop2 == 16) color = Qt::white;
    QPen pen(color);
    const double deviceWidth = o.width * logicalScale;
    if (o.width <= 0 || deviceWidth < hairline_) {
      pen.setCosmetic(true);
      pen.setWidthF(hairline_);
    } else if (deviceWidth > maxPenPixels_) {
      pen.setWidthF(o.width * maxPenPixels_ / deviceWidth);
    } else {
      pen.setWidthF(o.width);
    }
    switch (style) {
      case 1:
        pen.setStyle(Qt::DashLine);
        break;
      case 2:
      case 8:
        pen.setStyle(Qt::DotLine);
        break;
      case 3:
        pen.setStyle(Qt::DashDotLine);
        break;
      case 4:
        pen.setStyle(Qt::DashDotDotLine);
        break;
      case 7:
        if (!o.dashes.isEmpty()) pen.setDashPattern(o.dashes);
        break;
      default:
        pen.setStyle(Qt::SolidLine);
        break;
    }
    const int cap = o.style & 0xF00, join = o.style & 0xF000;
    pen.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    pen.setMiterLimit(s_.miterLimit);
    return pen;
  }

  QBrush makeBrush(const BrushObj& o) const {
    if (s_.rop2 == 11) return Qt::NoBrush;
    QBrush brush;
    switch (o.style) {
      case 0:
        brush = QBrush(o.color);
        break;
      case 2: {
        static constexpr Qt::BrushStyle kHatch[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                    Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        brush = QBrush(o.color, o.hatch >= 0 && o.hatch < 6 ? kHatch[o.hatch] : Qt::SolidPattern);
        break;
      }
      case 3:
      case 5:
      case 6:
        if (o.image >= 0 && std::size_t(o.image) < p_.images.size())
          brush = QBrush(p_.images[std::size_t(o.image)]);
        else
          brush = QBrush(Qt::gray);
        break;
      default:
        return Qt::NoBrush;
    }
    if (s_.rop2 == 1) brush.setColor(Qt::black);
    if (s_.rop2 == 16) brush.setColor(Qt::white);
    // Pattern cells are device pixels of a 96 dpi screen: keep them that size on any device.
    if (brush.style() != Qt::SolidPattern) {
      const QTransform t = painter_.transform();
      const double sx = std::hypot(t.m11(), t.m12()), sy = std::hypot(t.m21(), t.m22());
      if (sx > 0 && sy > 0) brush.setTransform(QTransform::fromScale(hairline_ / sx, hairline_ / sy));
    }
    return brush;
  }

  void setTools(bool fill, double logicalScale) {
    painter_.setPen(makePen(logicalScale));
    painter_.setBrush(fill ? makeBrush(s_.brush) : QBrush(Qt::NoBrush));
    painter_.setBackgroundMode(s_.bkMode == gdi::kOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(s_.bkColor);
  }

  double averageScale() const {
    return std::sqrt(std::abs(full_.m11() * full_.m22() - full_.m12() * full_.m21()));
  }

  // Draws or, inside a path bracket, collects a shape in logical units.
  void shape(QPainterPath path, bool fill) {
    path.setFillRule(s_.fillMode == gdi::kWinding ? Qt::WindingFill : Qt::OddEvenFill);
    if (inPath_) {
      if (!ready()) return;
      path_.addPath(l2f_.map(path));
      return;
    }
    if (!ready()) return;
    setTools(fill, averageScale());
    painter_.drawPath(path);
  }

  QRectF insideFrame(QRectF r) const {
    if ((s_.pen.style & 0xF) == 6 && s_.pen.width > 0) {
      const double h = s_.pen.width / 2;
      r.adjust(h, h, -h, -h);
    }
    return r;
  }

  QPainterPath arcPath(const Record& r, int kind) const {
    QPainterPath path;
    const QRectF box = insideFrame(rectAt(r, 0));
    if (box.width() <= 0 || box.height() <= 0) return path;
    const QPointF c = box.center();
    const double a = box.width() / 2, b = box.height() / 2;
    auto angle = [&](QPointF q) {
      return qRadiansToDegrees(std::atan2(-(q.y() - c.y()) / b, (q.x() - c.x()) / a));
    };
    const double start = angle(pt(r, 4)), end = angle(pt(r, 6));
    double sweep = end - start;
    if (s_.clockwise) {
      while (sweep >= 0) sweep -= 360;
    } else {
      while (sweep <= 0) sweep += 360;
    }
    if (kind == 1) {
      path.moveTo(c);
      path.arcTo(box, start, sweep);
      path.closeSubpath();
    } else {
      path.arcMoveTo(box, start);
      path.arcTo(box, start, sweep);
      if (kind == 2) path.closeSubpath();
    }
    return path;
  }

  // ---- objects ----
  Object* object(std::int32_t slot) {
    auto it = objects_.find(slot);
    return it == objects_.end() ? nullptr : &it->second;
  }

  void select(std::int32_t index) {
    if (std::uint32_t(index) & gdi::kStockObject) {
      const int stock = int(std::uint32_t(index) & 0x7FFFFFFF);
      if (stock <= 5) {
        static constexpr int kGrey[] = {255, 192, 128, 64, 0};
        s_.brush = BrushObj{};
        if (stock == 5)
          s_.brush.style = 1;
        else
          s_.brush.color = QColor(kGrey[stock], kGrey[stock], kGrey[stock]);
      } else if (stock >= 6 && stock <= 8) {
        s_.pen = PenObj{};
        if (stock == 6) s_.pen.color = Qt::white;
        if (stock == 8) s_.pen.style = 5;
      } else if (stock >= 10 && stock <= 17 && stock != 15) {
        s_.font = FontObj{};
        s_.font.face = QStringLiteral("Arial");
      } else if (stock == 18) {
        s_.brush = BrushObj{};
      } else if (stock == 19) {
        s_.pen = PenObj{};
      }
      return;
    }
    Object* o = object(index);
    if (!o) return;
    switch (o->kind) {
      case Object::Pen:
        s_.pen = o->pen;
        break;
      case Object::Brush:
        s_.brush = o->brush;
        break;
      case Object::Font:
        s_.font = o->font;
        break;
      case Object::Region:
        if (ready()) setClip(regionOf(l2f_.map(o->region)), 5);
        break;
      default:
        break;
    }
  }

  void create(const Record& r) {
    if (objects_.size() >= std::size_t(limits::kMaxObjects) && !object(r.a)) return;
    Object o;
    switch (r.op) {
      case Op::CreatePen:
        o.kind = Object::Pen;
        o.pen.style = at(r, 0);
        o.pen.width = std::abs(double(at(r, 1)));
        o.pen.color = colorOf(at(r, 2));
        for (std::uint32_t i = 3; i < r.count; ++i) {
          const double w = std::max(1.0, o.pen.width);
          o.pen.dashes.append(std::clamp(at(r, i) / w, 0.1, 1000.0));
        }
        if (o.pen.dashes.size() % 2) o.pen.dashes.append(o.pen.dashes.back());
        break;
      case Op::CreateBrush:
        o.kind = Object::Brush;
        o.brush.style = at(r, 0);
        o.brush.color = colorOf(at(r, 1));
        o.brush.hatch = at(r, 2);
        o.brush.image = at(r, 3);
        break;
      case Op::CreateFont: {
        o.kind = Object::Font;
        FontObj& f = o.font;
        f.height = at(r, 0);
        f.width = at(r, 1);
        f.escapement = at(r, 2);
        f.weight = at(r, 4);
        f.italic = at(r, 5);
        f.underline = at(r, 6);
        f.strikeOut = at(r, 7);
        f.charset = at(r, 8);
        const std::int32_t t = at(r, 9);
        if (t >= 0 && std::size_t(t) < p_.texts.size()) f.face = textOf(p_.texts[std::size_t(t)], 0);
        if (f.face.trimmed().isEmpty()) f.face = QStringLiteral("Arial");
        break;
      }
      case Op::CreateRegion:
        o.kind = Object::Region;
        o.region = rectangles(r, 0);
        break;
      default:
        o.kind = Object::Other;
        break;
    }
    objects_[r.a] = std::move(o);
  }

  // ---- clip ----
  // A shape in frame units as a region on the clip grid; axis-aligned rectangles stay exact, a shape of
  // very many pieces stands as its bounds.
  QRegion regionOf(const QPainterPath& frameShape) const {
    const QPainterPath shape = frameToGrid_.map(frameShape);
    const QRectF limit(-1e8, -1e8, 2e8, 2e8);
    const QList<QPolygonF> pieces = shape.toFillPolygons();
    if (pieces.size() > kMaxRegionPieces)
      return QRegion(shape.boundingRect().intersected(limit).toAlignedRect());
    QRegion region;
    for (const QPolygonF& piece : pieces) {
      const QRectF bounds = piece.boundingRect().intersected(limit);
      bool rect = piece.size() <= 5;
      for (const QPointF& q : piece)
        rect = rect && (std::abs(q.x() - bounds.left()) < 1e-6 || std::abs(q.x() - bounds.right()) < 1e-6) &&
               (std::abs(q.y() - bounds.top()) < 1e-6 || std::abs(q.y() - bounds.bottom()) < 1e-6);
      if (rect)
        region += bounds.toRect();
      else
        region += QRegion(piece.toPolygon(), shape.fillRule());
    }
    return region;
  }

  // Combines the clip with a region: 1 and, 2 or, 3 xor, 4 difference, 5 copy.
  void setClip(const QRegion& region, int mode) {
    const QRegion current = s_.hasClip ? s_.clip : QRegion(-100000000, -100000000, 200000000, 200000000);
    switch (mode) {
      case 1:
        s_.clip = current.intersected(region);
        break;
      case 2:
        s_.clip = current.united(region);
        break;
      case 3:
        s_.clip = current.xored(region);
        break;
      case 4:
        s_.clip = current.subtracted(region);
        break;
      default:
        s_.clip = region;
        break;
    }
    // Regions of many pieces make every later clip operation slower: past a limit the clip is
    // simplified to its bounds.
    if (s_.clip.rectCount() > kMaxClipRects) s_.clip = QRegion(s_.clip.boundingRect());
    s_.hasClip = true;
    clipDirty_ = true;
  }

  // The rectangles of a record as a shape; one of very many pieces stands as its bounds.
  QPainterPath rectangles(const Record& r, std::uint32_t from) const {
    QPainterPath region;
    if ((r.count - from) / 4 > std::uint32_t(kMaxRegionPieces)) {
      QRectF bounds;
      for (std::uint32_t i = from; i + 3 < r.count; i += 4) bounds = bounds.united(rectAt(r, i));
      region.addRect(bounds);
      return region;
    }
    for (std::uint32_t i = from; i + 3 < r.count; i += 4) region.addRect(rectAt(r, i));
    return region;
  }

  // ---- text ----
  QString textOf(const TextBytes& t, int charset) const {
    if (t.wide)
      return QString::fromUtf16(reinterpret_cast<const char16_t*>(t.bytes.constData()), t.bytes.size() / 2);
    return decodeCharset(t.bytes, charset);
  }

  void text(const Record& r) {
    if (r.a < 0 || std::size_t(r.a) >= p_.texts.size() || !ready()) return;
    const QString str = textOf(p_.texts[std::size_t(r.a)], s_.font.charset);
    const int options = at(r, 2);
    const QRectF box = QRectF(pt(r, 3), pt(r, 5)).normalized();
    QPointF ref = pt(r, 0);
    if (s_.textAlign & gdi::kTaUpdateCp) ref = s_.current;

    if (options & gdi::kEtoOpaque) {
      painter_.fillRect(box, s_.bkColor);
    }
    const double sx = scaleX(), sy = scaleY();
    const FontObj& f = s_.font;
    double em = f.height != 0 ? std::abs(double(f.height)) : 12.0;
    QFont font(f.face);
    font.setWeight(QFont::Weight(std::clamp(f.weight == 0 ? 400 : f.weight, 100, 900)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    if (f.height > 0) {  // cell height: take away the internal leading
      font.setPixelSize(100);
      const QFontMetricsF m(font);
      if (m.ascent() + m.descent() > 0) em = em * 100 / (m.ascent() + m.descent());
    }
    const double emDevice = em * sy;
    if (!(emDevice > 0.2) || emDevice > 50000 || str.isEmpty()) return;
    const int pixels = std::clamp(int(std::lround(emDevice)), 1, kMaxFontPixels);
    font.setPixelSize(pixels);
    const double k = emDevice / pixels;  // device pixels a font pixel
    if (f.width != 0 || std::abs(sx / sy - 1) > 0.01) {
      const QFontMetricsF m(font);
      double stretch = 100.0 * sx / sy;
      if (f.width != 0 && m.averageCharWidth() > 0)
        stretch = 100.0 * std::abs(double(f.width)) * sx / k / m.averageCharWidth();
      if (!std::isfinite(stretch)) stretch = 100;
      font.setStretch(int(std::lround(std::clamp(stretch, 1.0, double(kMaxFontStretch)))));
    }
    const bool asOutlines = emDevice * std::max(1.0, font.stretch() / 100.0) > kMaxCachedGlyphPixels;
    const QFontMetricsF metrics(font);

    // Advances: from the record in logical units, else from the font.
    std::vector<double> advances;
    for (std::uint32_t i = 7; i < r.count; ++i) advances.push_back(at(r, i) * sx / k);
    if (advances.size() != std::size_t(str.size())) advances.clear();
    double width = 0;
    if (advances.empty())
      width = metrics.horizontalAdvance(str);
    else
      for (double a : advances) width += a;

    // The baseline runs along the logical x axis turned by the escapement; text is never mirrored.
    QPointF dir(full_.m11(), full_.m12());
    const double det = full_.m11() * full_.m22() - full_.m12() * full_.m21();
    if (det < 0 && dir.x() < 0) dir = -dir;
    double angle = qRadiansToDegrees(std::atan2(dir.y(), dir.x())) - f.escapement / 10.0;
    QTransform local;
    local.translate(full_.map(ref).x(), full_.map(ref).y());
    local.rotate(angle);
    local.scale(k, k);

    double x0 = 0, baseline = 0;
    const int h = s_.textAlign & 6, v = s_.textAlign & 24;
    if (h == gdi::kTaCenter)
      x0 = -width / 2;
    else if (h == gdi::kTaRight)
      x0 = -width;
    if (v == 0)
      baseline = metrics.ascent();
    else if (v == gdi::kTaBottom)
      baseline = -metrics.descent();

    painter_.save();
    if (options & gdi::kEtoClipped) painter_.setClipRect(box, Qt::IntersectClip);
    painter_.setTransform(local);
    if (s_.bkMode == gdi::kOpaque)
      painter_.fillRect(QRectF(x0, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                        s_.bkColor);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setFont(font);
    painter_.setPen(s_.textColor);
    QPainterPath outlines;
    auto drawRun = [&](const QPointF& at, const QString& run) {
      if (asOutlines)
        outlines.addText(at, font, run);
      else
        painter_.drawText(at, run);
    };
    if (advances.empty()) {
      drawRun(QPointF(x0, baseline), str);
    } else {
      double x = x0;
      for (qsizetype i = 0; i < str.size(); ++i) {
        drawRun(QPointF(x, baseline), QString(str[i]));
        x += advances[std::size_t(i)];
      }
    }
    if (asOutlines) painter_.fillPath(outlines, s_.textColor);
    painter_.restore();
    transformDirty_ = true;

    if (s_.textAlign & gdi::kTaUpdateCp) {
      const double logicalWidth = width * k / std::max(sx, 1e-12);
      s_.current = ref + QPointF(h == gdi::kTaRight    ? -logicalWidth
                                 : h == gdi::kTaCenter ? 0
                                                       : logicalWidth,
                                 0);
    }
  }

  // ---- bitmaps ----
  // The part of a bitmap of the given size that a file's source rectangle covers, worked out in 64-bit
  // arithmetic: x + width of a file's values may lie far beyond int.
  static QRect sourceRect(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, QSize size) {
    std::int64_t left = std::min(x, x + w), right = std::max(x, x + w);
    std::int64_t top = std::min(y, y + h), bottom = std::max(y, y + h);
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min<std::int64_t>(right, size.width());
    bottom = std::min<std::int64_t>(bottom, size.height());
    if (left >= right || top >= bottom) return {};
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
  }

  void fillRop(const QRectF& rect, std::uint32_t rop) {
    switch (rop) {
      case 0x00000042u:
        painter_.fillRect(rect, Qt::black);
        break;
      case 0x00FF0062u:
        painter_.fillRect(rect, Qt::white);
        break;
      case 0x00550009u:  // destination inverted
        if (raster_) {
          painter_.save();
          painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
          painter_.fillRect(rect, Qt::white);
          painter_.restore();
        }
        break;
      case 0x005A0049u:  // pattern xor destination
        if (raster_) {
          painter_.save();
          painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
          painter_.fillRect(rect, makeBrush(s_.brush));
          painter_.restore();
          break;
        }
        [[fallthrough]];
      case 0x00AA0029u:
        break;
      default:
        painter_.fillRect(rect, makeBrush(s_.brush));
        break;
    }
  }

  void image(const Record& r) {
    if (!ready()) return;
    const QPointF p0 = pt(r, 0), p1 = pt(r, 2);
    const std::uint32_t rop = std::uint32_t(at(r, 8));
    if (r.a < 0 || std::size_t(r.a) >= p_.images.size()) {
      fillRop(QRectF(p0, p1).normalized(), rop);
      return;
    }
    QImage img = p_.images[std::size_t(r.a)];
    QRect source = sourceRect(at(r, 4), at(r, 5), at(r, 6), at(r, 7), img.size());
    if (source.isEmpty()) source = img.rect();
    if (p0.x() == p1.x() || p0.y() == p1.y()) return;

    painter_.save();
    painter_.setTransform(QTransform(p1.x() - p0.x(), 0, 0, p1.y() - p0.y(), p0.x(), p0.y()) * full_);
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (rop) {
      case 0x00330008u:
        img = img.copy(source);
        img.invertPixels();
        source = img.rect();
        break;
      case 0x008800C6u:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
      case 0x00EE0086u:
        mode = QPainter::RasterOp_SourceOrDestination;
        break;
      case 0x00660046u:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
      case 0x00440328u:
        mode = QPainter::RasterOp_SourceAndNotDestination;
        break;
      case 0x001100A6u:
        mode = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
      case 0x00BB0226u:
        mode = QPainter::RasterOp_NotSourceOrDestination;
        break;
      default:
        if (rop >> 24 == 1) painter_.setOpacity(((rop >> 8) & 0xFF) / 255.0);
        break;
    }
    if (mode != QPainter::CompositionMode_SourceOver) {
      if (!raster_) {
        painter_.restore();
        return;
      }
      painter_.setCompositionMode(mode);
      // Logical raster operations need opaque pixels on both sides.
      if (img.hasAlphaChannel()) img = img.convertToFormat(QImage::Format_RGB32);
    }
    // Enlarged bitmaps keep their pixels crisp, as the metafile's own device would stretch them;
    // reduced ones are smoothed.
    const QRectF onDevice = painter_.transform().mapRect(QRectF(0, 0, 1, 1));
    painter_.setRenderHint(QPainter::SmoothPixmapTransform,
                           onDevice.width() < source.width() || onDevice.height() < source.height());
    painter_.drawImage(QRectF(0, 0, 1, 1), img, source);
    painter_.restore();
    transformDirty_ = true;
  }

  // ---- path bracket helpers ----
  void pathMoveTo(QPointF logical) {
    if (ready()) path_.moveTo(l2f_.map(logical));
  }
  void pathContinueFromCurrent() {
    const QPointF start = l2f_.map(s_.current);
    if (path_.elementCount() == 0 || path_.currentPosition() != start) path_.moveTo(start);
  }

  void paintPath(bool fill, bool stroke) {
    if (!ready()) return;
    painter_.setTransform(frameToTarget_ * base_);
    QPainterPath path = path_;
    path.setFillRule(s_.fillMode == gdi::kWinding ? Qt::WindingFill : Qt::OddEvenFill);
    const double logicalInFrame = std::sqrt(std::abs(l2f_.m11() * l2f_.m22() - l2f_.m12() * l2f_.m21()));
    QPen pen = Qt::NoPen;
    if (stroke) {
      pen = makePen(averageScale());
      if (!pen.isCosmetic()) pen.setWidthF(pen.widthF() * logicalInFrame);
    }
    painter_.setPen(pen);
    painter_.setBrush(fill ? makeBrush(s_.brush) : QBrush(Qt::NoBrush));
    painter_.setBackgroundMode(s_.bkMode == gdi::kOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(s_.bkColor);
    painter_.drawPath(path);
    transformDirty_ = true;
    path_ = QPainterPath();
  }

  void polyTo(const Record& r, bool bezier) {
    const QPolygonF poly = polygon(r, 0, r.count / 2);
    if (poly.isEmpty()) return;
    if (inPath_) {
      if (!ready()) return;
      pathContinueFromCurrent();
      if (bezier) {
        for (qsizetype i = 0; i + 2 < poly.size(); i += 3)
          path_.cubicTo(l2f_.map(poly[i]), l2f_.map(poly[i + 1]), l2f_.map(poly[i + 2]));
      } else {
        for (const QPointF& q : poly) path_.lineTo(l2f_.map(q));
      }
    } else {
      QPainterPath path(s_.current);
      if (bezier) {
        for (qsizetype i = 0; i + 2 < poly.size(); i += 3) path.cubicTo(poly[i], poly[i + 1], poly[i + 2]);
      } else {
        for (const QPointF& q : poly) path.lineTo(q);
      }
      shape(path, false);
    }
    s_.current = bezier ? poly[(poly.size() / 3) * 3 - 1 < 0 ? 0 : (poly.size() / 3) * 3 - 1] : poly.back();
  }

  // ---- one command ----
  void step(const Record& r) {
    switch (r.op) {
      case Op::SetMapMode:
        if (r.a >= gdi::kMmText && r.a <= gdi::kMmAnisotropic) s_.mapMode = r.a;
        transformDirty_ = true;
        break;
      case Op::SetWindowOrg:
        s_.winOrg = pt(r, 0);
        transformDirty_ = true;
        break;
      case Op::SetWindowExt:
        if (at(r, 0) != 0 && at(r, 1) != 0) s_.winExt = pt(r, 0);
        transformDirty_ = true;
        break;
      case Op::SetViewportOrg:
        s_.vpOrg = pt(r, 0);
        transformDirty_ = true;
        break;
      case Op::SetViewportExt:
        if (at(r, 0) != 0 && at(r, 1) != 0) s_.vpExt = pt(r, 0);
        transformDirty_ = true;
        break;
      case Op::OffsetWindowOrg:
        s_.winOrg += pt(r, 0);
        transformDirty_ = true;
        break;
      case Op::OffsetViewportOrg:
        s_.vpOrg += pt(r, 0);
        transformDirty_ = true;
        break;
      case Op::ScaleWindowExt:
      case Op::ScaleViewportExt: {
        if (at(r, 1) == 0 || at(r, 3) == 0 || at(r, 0) == 0 || at(r, 2) == 0) break;
        QPointF& ext = r.op == Op::ScaleWindowExt ? s_.winExt : s_.vpExt;
        ext = QPointF(ext.x() * at(r, 0) / at(r, 1), ext.y() * at(r, 2) / at(r, 3));
        transformDirty_ = true;
        break;
      }
      case Op::SetWorldTransform:
      case Op::ModifyWorldTransform: {
        const QTransform xf(floatOf(at(r, 0)), floatOf(at(r, 1)), floatOf(at(r, 2)), floatOf(at(r, 3)),
                            floatOf(at(r, 4)), floatOf(at(r, 5)));
        const int mode = r.op == Op::SetWorldTransform ? 4 : r.a;
        if (mode == 1) {
          s_.world = QTransform();
        } else if (sane(xf)) {
          if (mode == 2)
            s_.world = xf * s_.world;
          else if (mode == 3)
            s_.world = s_.world * xf;
          else if (mode == 4)
            s_.world = xf;
        }
        transformDirty_ = true;
        break;
      }
      case Op::SaveDC:
        if (saved_.size() < kMaxSavedStates)
          saved_.push_back(s_);
        else
          ++lostSaves_;
        break;
      case Op::RestoreDC: {
        const std::int64_t depth = std::int64_t(saved_.size()) + lostSaves_;
        std::int64_t keep = r.a < 0 ? depth + r.a : std::int64_t(r.a) - 1;  // states left after restoring
        if (keep < 0 || keep >= depth) break;
        while (std::int64_t(saved_.size()) + lostSaves_ > keep + 1) {
          if (lostSaves_ > 0)
            --lostSaves_;
          else
            saved_.pop_back();
        }
        if (lostSaves_ > 0)
          --lostSaves_;
        else if (!saved_.empty()) {
          s_ = saved_.back();
          saved_.pop_back();
        }
        transformDirty_ = clipDirty_ = true;
        break;
      }
      case Op::SetBkMode:
        s_.bkMode = r.a;
        break;
      case Op::SetBkColor:
        s_.bkColor = colorOf(r.a);
        break;
      case Op::SetTextColor:
        s_.textColor = colorOf(r.a);
        break;
      case Op::SetTextAlign:
        s_.textAlign = r.a;
        break;
      case Op::SetPolyFillMode:
        s_.fillMode = r.a;
        break;
      case Op::SetRop2:
        s_.rop2 = r.a;
        break;
      case Op::SetArcDirection:
        s_.clockwise = r.a == 2;
        break;
      case Op::SetMiterLimit:
        s_.miterLimit = r.a >= 1 && r.a <= 100 ? r.a : 10;
        break;
      case Op::CreatePen:
      case Op::CreateBrush:
      case Op::CreateFont:
      case Op::CreateRegion:
      case Op::CreateOther:
        create(r);
        break;
      case Op::SelectObject:
        select(r.a);
        break;
      case Op::DeleteObject:
        objects_.erase(r.a);
        break;
      case Op::MoveTo:
        s_.current = pt(r, 0);
        if (inPath_) pathMoveTo(s_.current);
        break;
      case Op::LineTo:
        if (inPath_) {
          if (ready()) {
            pathContinueFromCurrent();
            path_.lineTo(l2f_.map(pt(r, 0)));
          }
        } else {
          QPainterPath line(s_.current);
          line.lineTo(pt(r, 0));
          shape(line, false);
        }
        s_.current = pt(r, 0);
        break;
      case Op::Polyline:
      case Op::Polygon:
      case Op::PolyBezier: {
        const QPolygonF poly = polygon(r, 0, r.count / 2);
        if (poly.size() < 2) break;
        QPainterPath path(poly.front());
        if (r.op == Op::PolyBezier) {
          for (qsizetype i = 1; i + 2 < poly.size(); i += 3) path.cubicTo(poly[i], poly[i + 1], poly[i + 2]);
        } else {
          for (qsizetype i = 1; i < poly.size(); ++i) path.lineTo(poly[i]);
        }
        if (r.op == Op::Polygon) path.closeSubpath();
        shape(path, r.op == Op::Polygon);
        break;
      }
      case Op::PolyBezierTo:
        polyTo(r, true);
        break;
      case Op::PolylineTo:
        polyTo(r, false);
        break;
      case Op::PolyPolygon:
      case Op::PolyPolyline: {
        const std::uint32_t n = std::uint32_t(std::max(0, at(r, 0)));
        std::uint32_t next = 1 + n;
        QPainterPath path;
        for (std::uint32_t i = 0; i < n && next < r.count; ++i) {
          const std::uint32_t count = std::uint32_t(std::max(0, at(r, 1 + i)));
          const QPolygonF poly = polygon(r, next, count);
          next += 2 * count;
          if (poly.isEmpty()) continue;
          path.moveTo(poly.front());
          for (qsizetype k = 1; k < poly.size(); ++k) path.lineTo(poly[k]);
          if (r.op == Op::PolyPolygon) path.closeSubpath();
        }
        shape(path, r.op == Op::PolyPolygon);
        break;
      }
      case Op::Rectangle: {
        QPainterPath path;
        path.addRect(insideFrame(rectAt(r, 0)));
        shape(path, true);
        break;
      }
      case Op::Ellipse: {
        QPainterPath path;
        path.addEllipse(insideFrame(rectAt(r, 0)));
        shape(path, true);
        break;
      }
      case Op::RoundRect: {
        QPainterPath path;
        path.addRoundedRect(insideFrame(rectAt(r, 0)), std::abs(at(r, 4)) / 2.0, std::abs(at(r, 5)) / 2.0);
        shape(path, true);
        break;
      }
      case Op::Arc:
        shape(arcPath(r, 0), false);
        break;
      case Op::Pie:
        shape(arcPath(r, 1), true);
        break;
      case Op::Chord:
        shape(arcPath(r, 2), true);
        break;
      case Op::ArcTo: {
        const QPainterPath arc = arcPath(r, 0);
        if (arc.elementCount() == 0) break;
        QPainterPath path(s_.current);
        path.lineTo(arc.pointAtPercent(0));
        path.connectPath(arc);
        if (inPath_) {
          if (ready()) {
            pathContinueFromCurrent();
            path_.connectPath(l2f_.map(path));
          }
        } else {
          shape(path, false);
        }
        s_.current = arc.currentPosition();
        break;
      }
      case Op::SetPixel:
        if (ready()) painter_.fillRect(QRectF(pt(r, 0), QSizeF(1, 1)), colorOf(at(r, 2)));
        break;
      case Op::PatBlt:
        if (ready())
          fillRop(QRectF(pt(r, 0), QSizeF(at(r, 2), at(r, 3))).normalized(), std::uint32_t(at(r, 4)));
        break;
      case Op::Text:
        text(r);
        break;
      case Op::Image:
        image(r);
        break;
      case Op::IntersectClipRect:
      case Op::ExcludeClipRect:
        if (ready()) {
          QPainterPath box;
          box.addRect(rectAt(r, 0));
          setClip(regionOf(l2f_.map(box)), r.op == Op::IntersectClipRect ? 1 : 4);
        }
        break;
      case Op::SelectClipRegion: {
        Object* o = object(r.a);
        if (o && o->kind == Object::Region) {
          if (ready()) setClip(regionOf(l2f_.map(o->region)), 5);
        } else {
          s_.hasClip = false;
          clipDirty_ = true;
        }
        break;
      }
      case Op::OffsetClipRegion:
        if (s_.hasClip && ready()) {
          const QPointF d = frameToGrid_.map(l2f_.map(pt(r, 0))) - frameToGrid_.map(l2f_.map(QPointF(0, 0)));
          if (std::abs(d.x()) < 1e8 && std::abs(d.y()) < 1e8) s_.clip.translate(d.toPoint());
          clipDirty_ = true;
        }
        break;
      case Op::DeviceClipRegion: {
        if (r.count == 0) {
          if (r.a == 5) {
            s_.hasClip = false;
            clipDirty_ = true;
          }
          break;
        }
        setClip(regionOf(rectangles(r, 0)), r.a);
        break;
      }
      case Op::BeginPath:
        inPath_ = true;
        path_ = QPainterPath();
        break;
      case Op::EndPath:
        inPath_ = false;
        break;
      case Op::CloseFigure:
        if (inPath_) path_.closeSubpath();
        break;
      case Op::AbortPath:
        inPath_ = false;
        path_ = QPainterPath();
        break;
      case Op::FillPath:
        inPath_ = false;
        paintPath(true, false);
        break;
      case Op::StrokePath:
        inPath_ = false;
        paintPath(false, true);
        break;
      case Op::StrokeAndFillPath:
        inPath_ = false;
        paintPath(true, true);
        break;
      case Op::SelectClipPath:
        inPath_ = false;
        setClip(regionOf(path_), r.a);
        path_ = QPainterPath();
        break;
    }
  }

  const Program& p_;
  QPainter& painter_;
  QRectF target_;
  QTransform base_, frameToTarget_, l2f_, full_;
  QPainterPath outerClip_;
  QTransform frameToGrid_, gridToFrame_;
  double hairline_ = 1;
  double maxPenPixels_ = 1;
  bool raster_ = false;
  bool valid_ = true, transformDirty_ = true, clipDirty_ = true;
  State s_;
  std::vector<State> saved_;
  std::int64_t lostSaves_ = 0;
  std::unordered_map<std::int32_t, Object> objects_;
  bool inPath_ = false;
  QPainterPath path_;  // frame units
};

// Draws a picture with pixel raster operations into an image of the device's resolution twice, on
// white and on black, and recovers from the pair which pixels it left untouched (transparent).
void playThroughImage(const Program& program, QPainter& painter, const QRectF& target) {
  const QRectF onDevice = painter.transform().mapRect(target);
  double w = std::ceil(onDevice.width()), h = std::ceil(onDevice.height());
  const double limit = 4096;
  double shrink = std::min(1.0, std::min(limit / std::max(w, 1.0), limit / std::max(h, 1.0)));
  shrink = std::min(shrink, std::sqrt(kMaxOffscreenPixels / std::max(w * h, 1.0)));
  w = std::max(1.0, std::floor(w * shrink));
  h = std::max(1.0, std::floor(h * shrink));
  QImage onWhite(int(w), int(h), QImage::Format_RGB32), onBlack(int(w), int(h), QImage::Format_RGB32);
  if (onWhite.isNull() || onBlack.isNull()) return;
  // The images stand for the device: its resolution keeps hairlines and pattern cells their size.
  const QPaintDevice* device = painter.device();
  const int dotsPerMeter = int(std::lround((device ? device->logicalDpiX() : 96) * shrink / 0.0254));
  for (QImage* img : {&onWhite, &onBlack}) {
    img->setDotsPerMeterX(std::max(dotsPerMeter, 1));
    img->setDotsPerMeterY(std::max(dotsPerMeter, 1));
  }
  onWhite.fill(Qt::white);
  onBlack.fill(Qt::black);
  for (QImage* img : {&onWhite, &onBlack}) {
    QPainter p(img);
    Player(program, p, QRectF(0, 0, w, h)).play();
  }
  QImage result(int(w), int(h), QImage::Format_ARGB32);
  for (int y = 0; y < int(h); ++y) {
    const QRgb* a = reinterpret_cast<const QRgb*>(onWhite.constScanLine(y));
    const QRgb* b = reinterpret_cast<const QRgb*>(onBlack.constScanLine(y));
    QRgb* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < int(w); ++x) {
      const int coverage =
          255 -
          std::clamp((qRed(a[x]) - qRed(b[x]) + qGreen(a[x]) - qGreen(b[x]) + qBlue(a[x]) - qBlue(b[x])) / 3,
                     0, 255);
      auto un = [&](int c) { return coverage ? std::clamp(c * 255 / coverage, 0, 255) : 0; };
      out[x] = qRgba(un(qRed(b[x])), un(qGreen(b[x])), un(qBlue(b[x])), coverage);
    }
  }
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.drawImage(target, result);
  painter.restore();
}

}  // namespace

void playMetafile(const Program& program, QPainter& painter, const QRectF& target) {
  if (!painter.isActive()) return;
  if (program.needsRasterOps)
    playThroughImage(program, painter, target);
  else
    Player(program, painter, target).play();
}

}  // namespace orvella::metafile
