// The printer set-up dialog and the choice of where a print job goes, behind their seams.
#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <functional>

class QWidget;

namespace orvella::ui {

// What the printer set-up dialog offers when it opens.
struct PrinterSetupRequest {
  int pageCount = 1;
  QString printerName;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  int copies = 1;
  QPrinter::PrintRange range = QPrinter::AllPages;
  int fromPage = 0;
  int toPage = 0;
};

// A test's answer to the printer set-up: what the user changes on the printer, then OK or Cancel.
struct PrinterSetupAnswer {
  bool ok = false;
  std::function<void(QPrinter&)> changes;  // applied in either case, as a dialog would before its button

  static PrinterSetupAnswer accept(std::function<void(QPrinter&)> changes = {}) { return {true, std::move(changes)}; }
  static PrinterSetupAnswer cancel(std::function<void(QPrinter&)> changes = {}) { return {false, std::move(changes)}; }
};

// The printer set-up dialog on a printer already set up (or the answer a test set): true for OK, after
// which the printer holds the user's choices of printer, orientation, copies and a page range within
// 1..pageCount. It never prints.
bool runPrinterSetup(QPrinter& printer, int pageCount, QWidget* parent);

// Asked once for each print job, just before it starts.
struct PrintJobRequest {
  QString documentName;
};
// Where the job goes: the printer as set up, unless a test answers with the name of a PDF file, into
// which the job is then written instead.
void choosePrintTarget(QPrinter& printer);

}  // namespace orvella::ui
