// The picture box of the theme editor.
#include "editor/options/picture_box.h"

#include <QPainter>
#include <QTimer>

namespace orvella {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(Picture picture) {
  picture_ = std::move(picture);
  rendered_ = QImage();
  update();
}

void PictureBox::showOnPage(QSize pageUnits, page::PictureFit fit) {
  pageUnits_ = pageUnits;
  fit_ = fit;
  rendered_ = QImage();
  update();
}

QRectF PictureBox::pageRect() const {
  if (pageUnits_.isEmpty()) return {};
  const QSizeF shown = QSizeF(pageUnits_).scaled(QSizeF(size()) - QSizeF(1, 1), Qt::KeepAspectRatio);
  return QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

QRectF PictureBox::pictureRect() const {
  if (!pageUnits_.isEmpty()) {
    // Placed as the page places it, in the page's units, then carried to the outline.
    page::Element image;
    image.width = pageUnits_.width();
    image.height = pageUnits_.height();
    image.picture = picture_;
    page::fitPicture(image, fit_);
    const QRectF page = pageRect();
    const double k = page.width() / pageUnits_.width();
    QRectF box(page.left() + image.left * k, page.top() + image.top * k, image.width * k, image.height * k);
    if (image.crop.isEmpty()) return box;
    const QSizeF natural = picture_.naturalSize();
    const double sx = box.width() / image.crop.width(), sy = box.height() / image.crop.height();
    return QRectF(box.left() - image.crop.left() * sx, box.top() - image.crop.top() * sy, natural.width() * sx,
                  natural.height() * sy);
  }
  QSizeF shown = picture_.naturalSize();
  if (shown.isEmpty()) return {};
  if (shown.width() > width() || shown.height() > height()) shown.scale(QSizeF(size()), Qt::KeepAspectRatio);
  return QRectF(QPointF(0, 0), shown);
}

bool PictureBox::drawsQuickly() const {
  const QSizeF natural = picture_.naturalSize();
  return natural.width() * natural.height() <= 4.0 * width() * height();
}

void PictureBox::render() {
  const qreal ratio = devicePixelRatioF();
  QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  const QRectF page = pageRect();
  if (!page.isEmpty()) {
    painter.fillRect(page, Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(page);
    painter.setClipRect(page);
  }
  // The picture draws itself at the pixels the box covers: a photograph is decoded at that size.
  picture_.draw(painter, pictureRect());
  painter.end();
  rendered_ = image;
}

void PictureBox::renderSoon() {
  if (renderQueued_) return;
  renderQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    renderQueued_ = false;
    if (isRendered()) return;
    render();
    update();
  });
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  if (rendered_.isNull()) {
    if (!drawsQuickly()) {
      renderSoon();
      return;
    }
    render();
  }
  QPainter(this).drawImage(QPointF(0, 0), rendered_);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  rendered_ = QImage();
}

}  // namespace orvella
