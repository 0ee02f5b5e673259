// The page view `QRPreview`: one generated page drawn at a zoom factor, scrollable, with a border.
#pragma once

#include <QAbstractScrollArea>

#include "calendar/page/generated_page.h"

namespace orvella::preview {

class PageView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit PageView(QWidget* parent = nullptr);

  // The page shown; the view keeps a pointer, the caller keeps the page alive. nullptr: none.
  void setPage(const page::GeneratedPage* page);
  const page::GeneratedPage* page() const { return page_; }

  // A whole percent within 2..2000; anything else is ignored (false).
  bool setZoom(int percent);
  int zoom() const { return zoom_; }

  // The sheet's size at the current zoom in pixels, and the whole drawn size with the border.
  QSize sheetSize() const;
  QSize contentSize() const;
  // Where the sheet's top-left corner stands in the viewport now.
  QPoint sheetOrigin() const;

  void scrollToStart();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void updateScrollBars();
  const page::PageSettings& settings() const;

  const page::GeneratedPage* page_ = nullptr;
  int zoom_ = 100;
};

}  // namespace orvella::preview
