// The archive's message boxes.
#include "ui/archive_messages.h"

#include <QApplication>

#include "theme/archive/backup_dialogs.h"
#include "ui/guarded.h"
#include "ui/message_boxes.h"

namespace orvella::ui {

void showArchiveMessagesInBoxes() {
  // The archive's error box is the general error handler's.
  BackupFileDialogs::showError = showErrorMessage;
  BackupFileDialogs::askOkCancel = [](const QString& message) {
    MessageBoxRequest box;
    box.icon = QMessageBox::Information;
    box.title = QApplication::applicationDisplayName();
    box.text = message;
    box.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    box.objectName = QStringLiteral("diskBox");
    return showMessageBox(box, QApplication::activeWindow()) == QMessageBox::Ok;
  };
}

}  // namespace orvella::ui
