// The printer set-up dialog: which printer, paper and orientation, how many copies and which pages the
// next print job takes. It only sets up: printing starts from the preview's Print button.
#pragma once

#include <QDialog>
#include <QPageSize>

class QComboBox;
class QLabel;
class QPrinter;
class QRadioButton;
class QSpinBox;

namespace orvella::ui {

class PrinterSetupDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows what the printer is set to; OK writes the choices back into it, Cancel leaves it alone.
  PrinterSetupDialog(QPrinter& printer, int pageCount, QWidget* parent = nullptr);

  void accept() override;

 private:
  // The papers of the printer of that name (common papers when it names none), chosen selected.
  void showPapersOf(const QString& printerName, const QPageSize& chosen);

  QPrinter& printer_;
  QComboBox* printers_ = nullptr;
  QComboBox* paper_ = nullptr;
  QRadioButton* portrait_ = nullptr;
  QRadioButton* landscape_ = nullptr;
  QSpinBox* copies_ = nullptr;
  QRadioButton* allPages_ = nullptr;
  QRadioButton* pageRange_ = nullptr;
  QSpinBox* fromPage_ = nullptr;
  QSpinBox* toPage_ = nullptr;
};

}  // namespace orvella::ui
