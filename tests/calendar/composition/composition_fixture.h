// A default theme, the built-in name days and a fresh print page, ready to compose months on.
#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>

#include "calendar/composition/month_composition.h"
#include "calendar/composition/month_names.h"
#include "calendar/namedays/name_days.h"
#include "dates/line_expansion.h"
#include "platform/settings/ini_file.h"
#include "theme/model/holiday_table.h"
#include "theme/model/theme_settings.h"

namespace orvella::testing {

class CompositionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const IniFile none(folder.path() + QStringLiteral("/none.ini"));
    readThemeDefaults(theme, none);
    nameDays.load_forenames(folder.path());
  }

  // Composes with pictures found only where the test says they are.
  void compose(int y, int monthIndex) {
    year = y;
    const LineExpansion expansion([this] { return year; });
    const CompositionSources sources{theme, nameDays,
                                     [&expansion](const QString& line) { return expansion.wypelnij_linie(line); },
                                     [this](const QString& held) { return pictures.value(held); }};
    composeMonth(form, MonthRequest{y, monthIndex, polishMonthName(monthIndex)}, sources);
  }

  void setHoliday(int monthIndex, int day, const QString& text, char kind = 'u') {
    theme.holidays[monthIndex][day - 1] = HolidayEntry{text, kind};
  }

  // Generated elements in list order.
  std::vector<page::Element*> generated() const { return form.qr.ownedElements(); }

  // The day-number label of a day, and the element made right after it.
  const page::Element* dayNumber(int day) const {
    for (const page::Element* e : form.qr.ownedElements())
      if (e->kind == page::ElementKind::Label && e->caption == QString::number(day) && e->font.size >= 20) return e;
    return nullptr;
  }
  const page::Element* after(const page::Element* e) const {
    const auto owned = form.qr.ownedElements();
    for (size_t i = 0; i + 1 < owned.size(); ++i)
      if (owned[i] == e) return owned[i + 1];
    return nullptr;
  }

  QTemporaryDir folder;
  int year = 2010;
  Theme theme;
  NameDays nameDays;
  page::PrintForm form;
  QHash<QString, QString> pictures;
};

}  // namespace orvella::testing
