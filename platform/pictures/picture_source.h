// One decoded picture format: knows its own size and draws itself stretched onto a box.
#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>

class QPainter;

namespace orvella {

class PictureSource {
 public:
  virtual ~PictureSource() = default;

  // The picture's own size in screen pixels at 96 dots per inch (a bitmap's pixel size; a metafile's
  // frame carried to 96 dpi). A page shows an unstretched picture at this size.
  virtual QSizeF naturalSize() const = 0;

  // Draws the whole picture stretched onto target, in the painter's current coordinates. The painter's
  // transform and device tell how many device pixels the target covers, so raster pictures can be
  // decoded no larger than needed and vector pictures stay sharp.
  virtual void draw(QPainter& painter, const QRectF& target) const = 0;

  // Makes ready in the raster cache what draw() onto a target of this many device pixels looks up, so
  // that the drawing finds it done. Safe on a second thread while the picture is drawn on the first;
  // what fails here is left for draw() to meet. Vector pictures have nothing to make.
  virtual void prepare(QSize /*devicePixels*/) const {}
};

}  // namespace orvella
