// A spin edit that accepts any number while typing and clamps it when the field is left.
#include "app/year_spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace orvella {

namespace {
// Digits, signs and the decimal separator may be typed into the year field.
bool isYearCharacter(QChar c) {
  return c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLocale().decimalPoint().at(0);
}
}  // namespace

int yearFromText(const QString& text, int fallback) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  return ok ? value : fallback;
}

YearSpinEdit::YearSpinEdit(QWidget* parent) : QSpinBox(parent) {
  setKeyboardTracking(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State YearSpinEdit::validate(QString& input, int& pos) const {
  // The range is applied on leaving the field, not while typing.
  for (const QChar c : input)
    if (!isYearCharacter(c)) return QValidator::Invalid;
  bool ok = false;
  const int value = input.toInt(&ok);
  if (ok && value >= minimum() && value <= maximum()) return QValidator::Acceptable;
  return QValidator::Intermediate;
}

void YearSpinEdit::fixup(QString& input) const {
  // A number out of range comes back to the nearest bound, not to the minimum.
  bool ok = false;
  const int typed = input.toInt(&ok);
  if (ok) input = QString::number(std::clamp(typed, minimum(), maximum()));
}

void YearSpinEdit::commitTypedYear() {
  bool ok = false;
  const int typed = lineEdit()->text().toInt(&ok);
  if (ok) setValue(std::clamp(typed, minimum(), maximum()));
  lineEdit()->setText(QString::number(value()));
}

void YearSpinEdit::focusOutEvent(QFocusEvent* event) {
  commitTypedYear();
  QSpinBox::focusOutEvent(event);
}

void YearSpinEdit::keyPressEvent(QKeyEvent* event) {
  // Enter asks for the preview (the window sees it first) and leaves the typed text as it is.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->ignore();
    return;
  }
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint() && !isYearCharacter(text.at(0))) {
    QApplication::beep();
    return;
  }
  QSpinBox::keyPressEvent(event);
}

}  // namespace orvella
