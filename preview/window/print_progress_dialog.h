// The small window "Printing progress": a bar from 0 to 100, the percentage text and Cancel.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace orvella::preview {

class PrintProgressDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PrintProgressDialog(QWidget* parent = nullptr);

  // Moves the bar and rewrites the text when the percentage is a multiple of 5.
  void setPercent(int percent);
  bool cancelled() const { return cancelled_; }

 protected:
  void reject() override;  // Esc and the close box cancel as the button does

 private:
  QProgressBar* bar_;
  QLabel* text_;
  bool cancelled_ = false;
};

}  // namespace orvella::preview
