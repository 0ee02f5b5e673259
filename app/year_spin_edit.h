// The year field: typed text stays as typed until the field is left, then comes back into range.
#pragma once

#include <QSpinBox>

namespace orvella {

// Text that is no whole number reads as the field's minimum, 2009.
int yearFromText(const QString& text, int fallback = 2009);

class YearSpinEdit : public QSpinBox {
  Q_OBJECT
 public:
  explicit YearSpinEdit(QWidget* parent = nullptr);
  QLineEdit* editor() const { return lineEdit(); }

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orvella
