// The page view `QRPreview`: one generated page drawn at a zoom factor, scrollable, with a border.
#include "preview/window/page_view.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "calendar/page/page_renderer.h"
#include "preview/engine/zoom.h"

namespace orvella::preview {

PageView::PageView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("QRPreview"));
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Dark);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  updateScrollBars();
}

const page::PageSettings& PageView::settings() const {
  static const page::PageSettings standard;
  return page_ ? page_->settings : standard;
}

void PageView::setPage(const page::GeneratedPage* page) {
  page_ = page;
  updateScrollBars();
  viewport()->update();
}

bool PageView::setZoom(int percent) {
  if (!report::isUsableZoom(percent)) return false;
  zoom_ = percent;
  updateScrollBars();
  viewport()->update();
  return true;
}

QSize PageView::sheetSize() const { return report::sheetPixels(settings(), zoom_); }

QSize PageView::contentSize() const {
  if (!page_) return QSize(0, 0);
  return sheetSize() + QSize(2 * report::kPageBorder, 2 * report::kPageBorder);
}

QPoint PageView::sheetOrigin() const {
  const QSize content = contentSize();
  const QSize view = viewport()->size();
  // Centred along a direction in which the page is smaller than the view, scrolled otherwise.
  const int x = content.width() <= view.width() ? (view.width() - content.width()) / 2
                                                : -horizontalScrollBar()->value();
  const int y = content.height() <= view.height() ? (view.height() - content.height()) / 2
                                                  : -verticalScrollBar()->value();
  return QPoint(x + report::kPageBorder, y + report::kPageBorder);
}

void PageView::scrollToStart() {
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
}

void PageView::updateScrollBars() {
  // Showing one scroll bar narrows the view for the other: settle both twice.
  for (int pass = 0; pass < 2; ++pass) {
    const QSize content = contentSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
  }
}

void PageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void PageView::scrollContentsBy(int, int) { viewport()->update(); }

void PageView::paintEvent(QPaintEvent* event) {
  if (!page_) return;
  QPainter painter(viewport());
  const QRect sheet(sheetOrigin(), sheetSize());
  const QRect exposed = event->rect();
  if (!sheet.intersects(exposed.adjusted(-3, -3, 3, 3))) return;

  // A thin outline and a shadow set the white sheet off from the view.
  painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 90));
  painter.setPen(QColor(60, 60, 60));
  painter.drawRect(sheet.adjusted(-1, -1, 0, 0));
  painter.fillRect(sheet, Qt::white);

  painter.setClipRect(sheet & exposed);
  painter.translate(sheet.topLeft());
  // The sheet as it prints: on another paper, scaled to fit and centred on it.
  page::drawPage(*page_, painter, page::DeviceMapping::forScreen(zoom_).placed(page::placementOf(settings())));
}

void PageView::keyPressEvent(QKeyEvent* event) {
  // Paging keys and Esc belong to the preview window, not to scrolling.
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      event->ignore();
      return;
    default:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

}  // namespace orvella::preview
