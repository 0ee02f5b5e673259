// The theme editor's tab of page additions.
#include "editor/options/calendar_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace orvella {

namespace {

constexpr int kFirstWeekdays[] = {1, 6, 7};  // in the order of the list's items

template <class Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

}  // namespace

CalendarTab::CalendarTab(int width, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ts_Calendar"));
  l_FirstWeekday = named(new QLabel(QStringLiteral("Pierwszy dzień tygodnia:"), this), "l_FirstWeekday");
  l_FirstWeekday->setGeometry(8, 10, width, 16);
  cb_FirstWeekday = named(new QComboBox(this), "cb_FirstWeekday");
  cb_FirstWeekday->addItems({QStringLiteral("poniedziałek"), QStringLiteral("sobota"), QStringLiteral("niedziela")});
  cb_FirstWeekday->setGeometry(8, 28, 200, 22);
  l_FirstWeekday->setBuddy(cb_FirstWeekday);
  l_BackgroundFit = named(new QLabel(QStringLiteral("Tło miesiąca:"), this), "l_BackgroundFit");
  l_BackgroundFit->setGeometry(8, 62, width, 16);
  cb_BackgroundFit = named(new QComboBox(this), "cb_BackgroundFit");
  cb_BackgroundFit->addItems({QStringLiteral("rozciągnięte na stronę"), QStringLiteral("wypełnia stronę, przycięte"),
                              QStringLiteral("całe na stronie")});
  cb_BackgroundFit->setGeometry(8, 80, 260, 22);
  l_BackgroundFit->setBuddy(cb_BackgroundFit);
  connect(cb_BackgroundFit, &QComboBox::activated, this, &CalendarTab::backgroundFitChanged);
  ch_MoonPhases = named(new QCheckBox(QStringLiteral("Fazy Księżyca"), this), "ch_MoonPhases");
  ch_MoonPhases->setGeometry(8, 116, 270, 20);
  ch_MiniMonths = named(new QCheckBox(QStringLiteral("Poprzedni i następny miesiąc"), this), "ch_MiniMonths");
  ch_MiniMonths->setGeometry(8, 140, 270, 20);
}

void CalendarTab::load(const Theme& theme) {
  const int* chosen = std::find(std::begin(kFirstWeekdays), std::end(kFirstWeekdays), theme.firstWeekday);
  cb_FirstWeekday->setCurrentIndex(chosen == std::end(kFirstWeekdays) ? 0 : int(chosen - kFirstWeekdays));
  cb_BackgroundFit->setCurrentIndex(static_cast<int>(theme.backgroundFit));
  ch_MoonPhases->setChecked(theme.moonPhases);
  ch_MiniMonths->setChecked(theme.miniMonths);
}

BackgroundFit CalendarTab::backgroundFit() const {
  return static_cast<BackgroundFit>(std::clamp(cb_BackgroundFit->currentIndex(), 0, 2));
}

void CalendarTab::store(Theme& theme) const {
  theme.firstWeekday = kFirstWeekdays[std::clamp(cb_FirstWeekday->currentIndex(), 0, 2)];
  theme.backgroundFit = backgroundFit();
  theme.moonPhases = ch_MoonPhases->isChecked();
  theme.miniMonths = ch_MiniMonths->isChecked();
}

}  // namespace orvella
