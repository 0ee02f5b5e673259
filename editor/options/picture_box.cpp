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

QRectF PictureBox::pictureRect() const {
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
