// The program's one set of dialog seams.
#include "ui/dialog_seams.h"

namespace orvella::ui {

DialogSeams& seams() {
  static DialogSeams instance;
  return instance;
}

void DialogSeams::reset() { messageBoxes.reset(); }

void DialogSeams::cancelEverything() {
  messageBoxes.setAnswerer([](const MessageBoxRequest& box) {
    for (QMessageBox::StandardButton button : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
      if (box.buttons.testFlag(button)) return button;
    return QMessageBox::NoButton;
  });
}

}  // namespace orvella::ui
