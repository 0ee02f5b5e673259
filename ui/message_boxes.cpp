// Message boxes through the seam.
#include "ui/message_boxes.h"

#include "ui/dialog_seams.h"

namespace orvella::ui {

QMessageBox::StandardButton showMessageBox(const MessageBoxRequest& request, QWidget* parent) {
  if (const auto answer = seams().messageBoxes.answerFor(request)) return *answer;
  QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
  box.setObjectName(request.objectName);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace orvella::ui
