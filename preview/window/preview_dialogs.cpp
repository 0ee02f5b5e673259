// The dialogs and message boxes the preview opens, behind seams a test can answer.
#include "preview/window/preview_dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "preview/window/printer_setup.h"

namespace orvella::preview {
namespace {

QString chosenFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

PreviewDialogs realDialogs() {
  PreviewDialogs dialogs;
  dialogs.saveFileName = [](QWidget* parent, const QString& title, const QString& filter,
                            const QString& defaultSuffix) {
    const auto dialog = reportFileDialog(parent, title, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(defaultSuffix);
    return chosenFile(*dialog);
  };
  dialogs.openFileName = [](QWidget* parent, const QString& title, const QString& filter) {
    const auto dialog = reportFileDialog(parent, title, filter);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    return chosenFile(*dialog);
  };
  dialogs.printSetup = [](QPrinter& printer, int pageCount, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    configurePrintDialog(dialog, pageCount);
    return dialog.exec() == QDialog::Accepted;
  };
  return dialogs;
}

}  // namespace

std::unique_ptr<QFileDialog> reportFileDialog(QWidget* parent, const QString& title, const QString& filter) {
  auto dialog = std::make_unique<QFileDialog>(parent, title, QString(), filter);
  // Report files come from Windows as often as not, named .QRP or .qrp. The desktop's own dialogs
  // match a pattern's case exactly; Qt's dialog matches without regard to case unless told otherwise.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
  // An open dialog may name a missing file too: the preview says so itself.
  dialog->setFileMode(QFileDialog::AnyFile);
  return dialog;
}

PreviewDialogs& previewDialogs() {
  static PreviewDialogs dialogs = realDialogs();
  return dialogs;
}

void resetPreviewDialogs() { previewDialogs() = realDialogs(); }

}  // namespace orvella::preview
