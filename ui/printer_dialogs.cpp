// The printer set-up dialog and the print target through their seams.
#include "ui/printer_dialogs.h"

#include <QPrintDialog>
#include <algorithm>

#include "ui/dialog_seams.h"

namespace orvella::ui {

void configurePrintDialog(QPrintDialog& dialog, int pageCount) {
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setMinMax(1, std::max(pageCount, 1));
}

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
  QPrintDialog dialog(&printer, parent);
  configurePrintDialog(dialog, pageCount);
  return dialog.exec() == QDialog::Accepted;
}

void choosePrintTarget(QPrinter& printer) {
  const auto pdf = seams().printTargets.answerFor(PrintJobRequest{printer.docName()});
  if (!pdf || pdf->isEmpty()) return;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(*pdf);
}

}  // namespace orvella::ui
