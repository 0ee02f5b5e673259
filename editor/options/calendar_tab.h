// The theme editor's "Kalendarz" tab: the choices of our additions to the page (the first weekday,
// how backgrounds cover the page), kept apart from the
// original tabs. The dialog loads them from the theme on each opening and stores them on OK.
#pragma once

#include <QWidget>

#include "theme/model/theme.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace orvella {

class CalendarTab : public QWidget {
  Q_OBJECT

 public:
  CalendarTab(int width, QWidget* parent);

  void load(const Theme& theme);
  void store(Theme& theme) const;
  BackgroundFit backgroundFit() const;

 signals:
  // Another background fit is chosen: the background preview follows it.
  void backgroundFitChanged();

 private:
  QLabel* l_FirstWeekday;
  QComboBox* cb_FirstWeekday;
  QLabel* l_BackgroundFit;
  QComboBox* cb_BackgroundFit;
  QCheckBox* ch_MoonPhases;
  QCheckBox* ch_MiniMonths;
};

}  // namespace orvella
