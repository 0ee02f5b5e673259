// A default theme, the built-in name days and a month request, ready to compose months from.
#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>

#include "calendar/composition/month_composition.h"
#include "calendar/composition/month_names.h"
#include "calendar/namedays/name_days.h"
#include "calendar/page/report_page.h"
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
    const PageSources sources{nameDays, [this](const QString& held) { return pictures.value(held); }};
    composed = composeMonth(MonthRequest{snapshotOf(theme), y, monthIndex + 1, options}, sources, shelf);
  }

  void setHoliday(int monthIndex, int day, const QString& text, char kind = 'u') {
    theme.holidays[monthIndex][day - 1] = HolidayEntry{text, kind};
  }

  // Generated elements in list order.
  std::vector<const page::Element*> generated() const {
    std::vector<const page::Element*> made;
    for (const page::Element& e : composed.page.elements)
      if (e.tag == 1000) made.push_back(&e);
    return made;
  }
  const page::Element& named(const char* name) const { return *composed.page.find(QLatin1String(name)); }

  // The day-number label of a day, and the element made right after it.
  const page::Element* dayNumber(int day) const {
    for (const page::Element* e : generated())
      if (e->kind == page::ElementKind::Label && e->caption == QString::number(day) && e->font.size >= 20) return e;
    return nullptr;
  }
  const page::Element* after(const page::Element* e) const {
    const auto made = generated();
    for (size_t i = 0; i + 1 < made.size(); ++i)
      if (made[i] == e) return made[i + 1];
    return nullptr;
  }

  QTemporaryDir folder;
  int year = 2010;
  Theme theme;
  NameDays nameDays;
  RequestOptions options;
  PictureShelf shelf;
  ComposedPage composed;
  QHash<QString, QString> pictures;
};

}  // namespace orvella::testing
