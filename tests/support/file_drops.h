// A file dragged from a file manager and dropped on a widget, through its window as the desktop does.
#pragma once

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace orvella::testing {

// Drops the file on the middle of the widget if the window takes the drag; true when it did. What the
// drop starts has run when this returns.
inline bool dropFile(QWidget* onto, const QString& file) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(file)});
  QWindow* window = onto->window()->windowHandle();
  const QPoint at = onto->mapTo(onto->window(), onto->rect().center());
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QDragLeaveEvent leave;
  QCoreApplication::sendEvent(window, &enter);
  QCoreApplication::sendEvent(window, enter.isAccepted() ? static_cast<QEvent*>(&drop) : &leave);
  QCoreApplication::processEvents();
  return enter.isAccepted() && drop.isAccepted();
}

}  // namespace orvella::testing
