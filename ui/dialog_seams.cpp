// The program's one set of dialog seams.
#include "ui/dialog_seams.h"

namespace orvella::ui {

DialogSeams& seams() {
  static DialogSeams instance;
  return instance;
}

void DialogSeams::reset() {
  messageBoxes.reset();
  fileDialogs.reset();
  fontDialogs.reset();
  pictureDialogs.reset();
  printerSetup.reset();
  printTargets.reset();
  webPages.reset();
}

void DialogSeams::cancelEverything() {
  messageBoxes.setAnswerer([](const MessageBoxRequest& box) {
    for (QMessageBox::StandardButton button : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
      if (box.buttons.testFlag(button)) return button;
    return QMessageBox::NoButton;
  });
  fileDialogs.setAnswerer([](const FileDialogRequest&) { return QString(); });
  fontDialogs.setAnswerer([](const FontDialogRequest&) { return std::optional<FontChoice>(); });
  pictureDialogs.setAnswerer([](const PictureDialogRequest&) { return QString(); });
  printerSetup.setAnswerer([](const PrinterSetupRequest&) { return PrinterSetupAnswer::cancel(); });
  printTargets.setAnswerer([](const PrintJobRequest&) { return QString(); });
  webPages.setAnswerer([](const QString&) { return false; });
}

}  // namespace orvella::ui
