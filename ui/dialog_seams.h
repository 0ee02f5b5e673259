// The program's one set of dialog seams. Every dialog a test must answer goes through one of these: a
// test sets the next answer (or an answerer), and the real dialog appears otherwise.
#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>

#include "ui/dialog_seam.h"
#include "ui/file_dialogs.h"
#include "ui/font_dialog.h"
#include "ui/message_boxes.h"
#include "ui/picture_dialog.h"
#include "ui/printer_dialogs.h"

namespace orvella::ui {

struct DialogSeams {
  // showMessageBox: the button pressed.
  DialogSeam<MessageBoxRequest, QMessageBox::StandardButton> messageBoxes;
  // chooseFile: the path chosen, empty for Cancel.
  DialogSeam<FileDialogRequest, QString> fileDialogs;
  // chooseFont: the font chosen, nothing for Cancel.
  DialogSeam<FontDialogRequest, std::optional<FontChoice>> fontDialogs;
  // choosePicture: the picture file chosen, empty for Cancel.
  DialogSeam<PictureDialogRequest, QString> pictureDialogs;
  // runPrinterSetup: changes to the printer, then OK or Cancel.
  DialogSeam<PrinterSetupRequest, PrinterSetupAnswer> printerSetup;
  // choosePrintTarget: a PDF file the job goes into instead of the printer; empty for the printer.
  DialogSeam<PrintJobRequest, QString> printTargets;
  // openWebPage (the request is the address): whether a browser took it.
  DialogSeam<QString, bool> webPages;

  // Every seam back to the real dialogs, with no requests remembered.
  void reset();
  // Every dialog that finds no next answer is answered as a user who wants nothing would: message
  // boxes with Cancel (No, else OK, when they have none), file, font and picture dialogs and the
  // printer set-up with Cancel; print jobs go to the printer, and no browser opens.
  void cancelEverything();
};

DialogSeams& seams();

}  // namespace orvella::ui
