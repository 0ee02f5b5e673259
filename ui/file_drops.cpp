// Drops of one file of a kind onto a window.
#include "ui/file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "ui/guarded.h"

namespace orvella::ui {

namespace {

QString draggedFile(const QMimeData* data, const QString& suffix) {
  if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
  const QString path = data->urls().front().toLocalFile();
  return path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

bool takeFileDrop(QWidget* window, QObject* watched, QEvent* event, const QString& suffix,
                  const std::function<void(const QString&)>& open) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  const auto* widget = qobject_cast<const QWidget*>(watched);
  if (!widget || widget->window() != window) return false;
  // The enter and move events are drop events too.
  auto* drag = static_cast<QDropEvent*>(event);
  const QString file = draggedFile(drag->mimeData(), suffix);
  if (file.isEmpty()) return false;
  drag->setDropAction(Qt::CopyAction);
  drag->accept();
  // The file manager waits until the drop returns: what opening the file brings (a question, a message)
  // comes after it.
  if (type == QEvent::Drop) QTimer::singleShot(0, window, guarded([open, file] { open(file); }));
  return true;
}

}  // namespace orvella::ui
