// The printer set-up dialog and the print target through their seams.
#include "ui/printer_dialogs.h"

#include "ui/dialog_seams.h"
#include "ui/printer_setup_dialog.h"

namespace orvella::ui {

bool runPrinterSetup(QPrinter& printer, int pageCount, QWidget* parent) {
  PrinterSetupRequest request;
  request.pageCount = pageCount;
  request.printerName = printer.printerName();
  request.orientation = printer.pageLayout().orientation();
  request.copies = printer.copyCount();
  request.range = printer.printRange();
  request.fromPage = printer.fromPage();
  request.toPage = printer.toPage();
  if (const auto answer = seams().printerSetup.answerFor(request)) {
    if (answer->changes) answer->changes(printer);
    return answer->ok;
  }
  PrinterSetupDialog dialog(printer, pageCount, parent);
  return dialog.exec() == QDialog::Accepted;
}

void choosePrintTarget(QPrinter& printer) {
  const auto pdf = seams().printTargets.answerFor(PrintJobRequest{printer.docName()});
  if (!pdf || pdf->isEmpty()) return;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(*pdf);
}

}  // namespace orvella::ui
