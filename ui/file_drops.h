// Files dropped on a window from a file manager.
#pragma once

#include <QString>
#include <functional>

class QEvent;
class QObject;
class QWidget;

namespace orvella::ui {

// Takes a drag event on any widget of `window` that carries one local file whose name ends in "." and
// `suffix` (in any case): the drag is accepted, and once the file is dropped and the drop is over,
// `open` runs with it, its errors shown as any handler's. True when the event was such a drag and is
// to go no further; every other drag is left to the widgets (text dropped on a field).
bool takeFileDrop(QWidget* window, QObject* watched, QEvent* event, const QString& suffix,
                  const std::function<void(const QString&)>& open);

}  // namespace orvella::ui
