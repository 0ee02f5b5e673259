// A box that shows a picture as the program draws it: at its own size when it fits, otherwise made
// smaller to fit, in proportion, from the top-left corner. Large photographs are decoded no larger
// than the box (and kept in the picture cache), never at their full size; and not while the window
// that shows the box first appears, but right after, so that the window is there at once.
#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

#include "calendar/page/picture_fit.h"
#include "platform/pictures/picture.h"

namespace orvella {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void setPicture(Picture picture);
  const Picture& picture() const { return picture_; }
  void clear() { setPicture(Picture()); }
  // Where the picture is drawn inside the box (before a page's crop cuts it).
  QRectF pictureRect() const;
  // The box shows a page of pageUnits (layout units), white and outlined, as large as fits and
  // centred, with the picture placed on it as fit has it.
  void showOnPage(QSize pageUnits, page::PictureFit fit);
  // The page's outline in the box; empty unless the box shows a page.
  QRectF pageRect() const;
  // The picture has been drawn for the box (an empty box always has).
  bool isRendered() const { return picture_.isNull() || !rendered_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // A picture far larger than the box may need a long decode first.
  bool drawsQuickly() const;
  void render();
  void renderSoon();

  Picture picture_;
  QImage rendered_;  // the picture drawn at the box's size, for repaints
  QSize pageUnits_;  // empty: no page
  page::PictureFit fit_ = page::PictureFit::Stretch;
  bool renderQueued_ = false;
};

}  // namespace orvella
