// A box that shows a picture as the program draws it: at its own size when it fits, otherwise made
// smaller to fit, in proportion, from the top-left corner. Large photographs are decoded no larger
// than the box (and kept in the picture cache), never at their full size.
#pragma once

#include <QWidget>

#include "platform/pictures/picture.h"

namespace orvella {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void setPicture(Picture picture);
  const Picture& picture() const { return picture_; }
  void clear() { setPicture(Picture()); }
  // Where the picture is drawn inside the box.
  QRectF pictureRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture picture_;
};

}  // namespace orvella
