// The theme editor dialog. It owns the line expansion that the month composition calls.
#pragma once

#include <QDialog>
#include <functional>

#include "dates/line_expansion.h"

class QComboBox;

namespace orvella {

class Tf_Options : public QDialog {
  Q_OBJECT
 public:
  // selectedYear reads the main window's year field at each use.
  explicit Tf_Options(std::function<int()> selectedYear, QWidget* parent = nullptr);

  // "@_" markers replaced by their values for the selected year.
  QString wypelnij_linie(const QString& line) const { return expansion_.wypelnij_linie(line); }
  QString zamien(const QString& keyword) const { return expansion_.zamien(keyword); }

  QComboBox* cb_Holidays = nullptr;

 private:
  LineExpansion expansion_;
};

}  // namespace orvella
