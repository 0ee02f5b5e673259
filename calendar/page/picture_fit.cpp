// How a picture is placed in a box.
#include "calendar/page/picture_fit.h"

#include <cmath>

namespace orvella::page {

void fitPicture(Element& image, PictureFit fit) {
  image.crop = QRectF();
  const QSizeF natural = image.picture.naturalSize();
  if (fit == PictureFit::Stretch || natural.isEmpty() || image.width <= 0 || image.height <= 0) return;
  const double boxRatio = double(image.width) / image.height;
  const double pictureRatio = natural.width() / natural.height();
  if (fit == PictureFit::Fill) {
    // The picture's part of the box's proportions, centred: the longer side loses on both ends.
    QSizeF kept = natural;
    if (pictureRatio > boxRatio)
      kept.setWidth(natural.height() * boxRatio);
    else
      kept.setHeight(natural.width() / boxRatio);
    if (std::abs(kept.width() - natural.width()) < 1e-9 && std::abs(kept.height() - natural.height()) < 1e-9) return;
    image.crop = QRectF(QPointF((natural.width() - kept.width()) / 2, (natural.height() - kept.height()) / 2), kept);
    return;
  }
  // Fit: the box shrinks on one axis to the picture's proportions, around its centre.
  if (pictureRatio > boxRatio) {
    const int height = static_cast<int>(std::lround(image.width / pictureRatio));
    image.top += (image.height - height) / 2;
    image.height = height;
  } else {
    const int width = static_cast<int>(std::lround(image.height * pictureRatio));
    image.left += (image.width - width) / 2;
    image.width = width;
  }
}

}  // namespace orvella::page
