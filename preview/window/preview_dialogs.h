// The dialogs and message boxes the preview opens, behind seams a test can answer.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QFileDialog;
class QPrinter;
class QWidget;

namespace orvella::preview {

struct PreviewDialogs {
  // A file name chosen to save into; empty when the user cancels. The filter is in Qt's form.
  std::function<QString(QWidget* parent, const QString& title, const QString& filter,
                        const QString& defaultSuffix)>
      saveFileName;
  // A file name chosen to open; empty when the user cancels.
  std::function<QString(QWidget* parent, const QString& title, const QString& filter)> openFileName;
  // The printer setup dialog on a printer already set up; true for OK. The dialog may change the
  // printer, its orientation, copies and page range (within 1..pageCount).
  std::function<bool(QPrinter& printer, int pageCount, QWidget* parent)> printSetup;
  // The last word on a printer before a job starts (tests send the job into a PDF); may be empty.
  std::function<void(QPrinter& printer)> preparePrinter;
};

// The dialog the real seams choose report files in, not yet shown: the filter as given, listing the
// files whose names match it in any case ("*.QRP" lists month.qrp too), any file name accepted.
std::unique_ptr<QFileDialog> reportFileDialog(QWidget* parent, const QString& title, const QString& filter);

// The program-wide seams; they start as the real dialogs.
PreviewDialogs& previewDialogs();
// Puts the real dialogs back.
void resetPreviewDialogs();

}  // namespace orvella::preview
