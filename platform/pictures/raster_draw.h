// Drawing a decoded raster image stretched onto a box, at the quality and cost the device needs.
#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <cstdint>

class QPainter;

namespace orvella {

// How many device pixels target covers on the painter's device (at least 1 × 1).
QSize deviceSizeOf(const QPainter& painter, const QRectF& target);

// How an enlarged picture should look: photographs smooth, small bitmaps and icons crisp.
enum class Enlarging { Smooth, CrispWhenSmall };

// What drawRasterImage shows of image on an area of device pixels: the image itself, or after a strong
// reduction a copy of the device's size, made once and cached under contentKey.
QImage shownImage(const QImage& image, QSize device, std::uint64_t contentKey);

// Draws image stretched onto target. Smooth scaling is used only when the image is really resized;
// a strong reduction (a large bitmap shown small) is made once with area averaging and cached under
// contentKey, so repaints only copy pixels.
void drawRasterImage(QPainter& painter, const QRectF& target, const QImage& image, std::uint64_t contentKey,
                     Enlarging enlarging);

}  // namespace orvella
