// Message boxes, behind the program's one message-box seam.
#pragma once

#include <QMessageBox>
#include <QString>

namespace orvella::ui {

struct MessageBoxRequest {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  QString objectName;  // of the real box, for a test that lets it appear
};

// Shows the box (or takes the answer a test set) and returns the button pressed; a box closed
// without a button answers its Escape button as QMessageBox does.
QMessageBox::StandardButton showMessageBox(const MessageBoxRequest& request, QWidget* parent = nullptr);

}  // namespace orvella::ui
