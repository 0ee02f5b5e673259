// The dialogs and message boxes the preview opens, behind seams a test can answer.
#include "preview/window/preview_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "preview/window/printer_setup.h"

namespace orvella::preview {
namespace {

PreviewDialogs realDialogs() {
  PreviewDialogs dialogs;
  dialogs.saveFileName = [](QWidget* parent, const QString& title, const QString& filter,
                            const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
  };
  dialogs.openFileName = [](QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The file may be missing: the preview says so itself.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
  };
  dialogs.printSetup = [](QPrinter& printer, int pageCount, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    configurePrintDialog(dialog, pageCount);
    return dialog.exec() == QDialog::Accepted;
  };
  dialogs.showMessage = [](QWidget* parent, const QString& message) {
    QMessageBox::information(parent, QString(), message);
  };
  return dialogs;
}

}  // namespace

PreviewDialogs& previewDialogs() {
  static PreviewDialogs dialogs = realDialogs();
  return dialogs;
}

void resetPreviewDialogs() { previewDialogs() = realDialogs(); }

}  // namespace orvella::preview
