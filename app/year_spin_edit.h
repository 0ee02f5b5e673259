// The year field: typed text stays as typed until the field is left, then comes back into range.
#pragma once

#include <QSpinBox>

namespace orvella {

// The year a text names, or fallback when it is no whole number.
int yearFromText(const QString& text, int fallback);

class YearSpinEdit : public QSpinBox {
  Q_OBJECT
 public:
  explicit YearSpinEdit(QWidget* parent = nullptr);
  QLineEdit* editor() const { return lineEdit(); }
  // The typed text becomes the field's value as leaving the field makes it: a number out of range
  // comes back to the nearest bound, text that is no whole number to the last value.
  void commitTypedYear();

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orvella
