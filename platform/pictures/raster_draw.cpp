// Stretched raster drawing with a cached reduced copy for strong reductions.
#include "platform/pictures/raster_draw.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

#include "platform/pictures/raster_cache.h"

namespace orvella {

namespace {

// Reduced copies are kept only for screen-sized results; a print-resolution copy would not be
// worth its memory, the original being near that size already.
constexpr std::int64_t kMaxReducedCopyPixels = 16'000'000;

// Pictures up to this side are treated as pixel art when enlarged.
constexpr int kCrispMaxSide = 256;

int devicePixels(double length) {
  const double rounded = std::ceil(length - 0.01);
  if (!(rounded >= 1.0)) return 1;  // also catches NaN
  return rounded > 1e6 ? 1'000'000 : int(rounded);
}

}  // namespace

QSize deviceSizeOf(const QPainter& painter, const QRectF& target) {
  const QRectF mapped = painter.combinedTransform().mapRect(target);
  double ratio = 1.0;
  if (const QPaintDevice* device = painter.device()) ratio = device->devicePixelRatio();
  return QSize(devicePixels(mapped.width() * ratio), devicePixels(mapped.height() * ratio));
}

QImage shownImage(const QImage& image, QSize device, std::uint64_t contentKey) {
  const bool strongReduction = image.width() > 2 * device.width() || image.height() > 2 * device.height();
  if (!strongReduction || std::int64_t(device.width()) * device.height() > kMaxReducedCopyPixels) return image;
  const RasterCache::Key key{contentKey, device.width(), device.height()};
  const QImage shown = RasterCache::instance().findOrMake(
      key, 0, [&] { return image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); });
  return shown.isNull() ? image : shown;  // out of memory for the copy: the original
}

void drawRasterImage(QPainter& painter, const QRectF& target, const QImage& image, std::uint64_t contentKey,
                     Enlarging enlarging) {
  if (image.isNull() || target.isEmpty()) return;
  const QSize device = deviceSizeOf(painter, target);
  const QImage shown = shownImage(image, device, contentKey);
  // Smoothing costs time; it only matters when pixels are really resampled. Small pictures (icons,
  // pixel art) enlarged two times or more stay crisp instead of turning blurred.
  const bool resized =
      std::abs(shown.width() - device.width()) > 1 || std::abs(shown.height() - device.height()) > 1;
  const bool rotated = painter.combinedTransform().type() > QTransform::TxScale;
  const bool smallEnlarged = enlarging == Enlarging::CrispWhenSmall && shown.width() <= kCrispMaxSide &&
                             shown.height() <= kCrispMaxSide && device.width() >= 2 * shown.width() &&
                             device.height() >= 2 * shown.height();
  const bool smooth = (resized || rotated) && !smallEnlarged;
  const bool wasSmooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
  if (smooth != wasSmooth) painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
  painter.drawImage(target, shown, QRectF(shown.rect()));
  if (smooth != wasSmooth) painter.setRenderHint(QPainter::SmoothPixmapTransform, wasSmooth);
}

}  // namespace orvella
