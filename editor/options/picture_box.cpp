// The picture box of the theme editor.
#include "editor/options/picture_box.h"

#include <QPainter>

namespace orvella {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(Picture picture) {
  picture_ = std::move(picture);
  update();
}

QRectF PictureBox::pictureRect() const {
  QSizeF shown = picture_.naturalSize();
  if (shown.isEmpty()) return {};
  if (shown.width() > width() || shown.height() > height()) shown.scale(QSizeF(size()), Qt::KeepAspectRatio);
  return QRectF(QPointF(0, 0), shown);
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setClipRect(rect());
  // The picture draws itself at the pixels the box covers: a photograph is decoded at that size.
  picture_.draw(painter, pictureRect());
}

}  // namespace orvella
