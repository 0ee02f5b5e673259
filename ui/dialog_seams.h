// The program's one set of dialog seams. Every dialog a test must answer goes through one of these: a
// test sets the next answer (or an answerer), and the real dialog appears otherwise.
#pragma once

#include <QMessageBox>

#include "ui/dialog_seam.h"
#include "ui/message_boxes.h"

namespace orvella::ui {

struct DialogSeams {
  DialogSeam<MessageBoxRequest, QMessageBox::StandardButton> messageBoxes;

  // Every seam back to the real dialogs, with no requests remembered.
  void reset();
  // Every dialog that finds no next answer is answered as a user who wants nothing would: message
  // boxes with Cancel (No, else OK, when they have no Cancel).
  void cancelEverything();
};

DialogSeams& seams();

}  // namespace orvella::ui
