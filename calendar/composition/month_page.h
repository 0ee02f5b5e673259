// One month's page while it is composed: a fresh print form in the request's settings, and what the
// cell layers need to add their elements for a day.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "calendar/composition/month_request.h"
#include "calendar/page/day_grid.h"
#include "calendar/page/print_form.h"
#include "dates/line_expansion.h"

namespace orvella {

struct Theme;
struct HolidayEntry;
class NameDays;
class PictureShelf;

// One day as its cell shows it, worked out once for every layer.
struct DayCell {
  int day = 1;
  int weekday = 1;  // Monday = 1 .. Sunday = 7
  int column = 0;
  int row = 0;
  int dayNumber = 0;                    // days since 30 December 1899
  const HolidayEntry* entry = nullptr;  // the theme's entry of the day, when its row has one
  bool holiday = false;                 // the day has a holiday text
  QString holidayText;                  // as shown: expanded, "/" a line break, a leading "*" taken off
  bool wantsIcon = false;               // the text began with "*"
  bool userHoliday() const;             // of kind 'u'
};

class MonthPage {
 public:
  // locatePicture: a picture path as the theme holds it -> the file, or empty when there is none.
  MonthPage(const MonthRequest& request, const Theme& theme, const NameDays& nameDays,
            const std::function<QString(const QString&)>& locatePicture, PictureShelf& pictures);

  const MonthRequest& request() const { return request_; }
  const Theme& theme() const { return theme_; }
  const NameDays& nameDays() const { return nameDays_; }
  const page::DayGrid& grid() const { return grid_; }
  page::PrintForm& form() { return form_; }

  // The page's fonts of the theme's four.
  const page::ElementFont& weekdayFont() const { return weekdayFont_; }
  const page::ElementFont& holidayFont() const { return holidayFont_; }
  const page::ElementFont& userHolidayFont() const { return userHolidayFont_; }
  const page::ElementFont& forenamesFont() const { return forenamesFont_; }

  // The "@_" markers of a text filled in for the request's year.
  QString expand(const QString& text) const { return expansion_.wypelnij_linie(text); }
  DayCell cellOf(int day, int weekdayOfFirst, int firstDayNumber) const;

  // A label made by the composition: no frame, transparent, word wrap, its height still to come from
  // its font (setFont) as the height rule has it.
  page::Element& addLabel(int left, int top, int width, page::Alignment alignment);
  page::Element& addImage(int left, int top, int width, int height);
  page::Element& addElement(page::ElementKind kind, int left, int top, int width, int height);
  // The principal phase of the Moon that falls on the day, 0..3; -1 for none, and without the theme's
  // moon phases.
  int moonPhaseOn(int day) const { return day >= 1 && day <= 31 ? moonPhases_[day - 1] : -1; }
  void setFont(page::Element& label, const page::ElementFont& font) { form_.qr.setFont(label, font); }
  void setCaption(page::Element& label, const QString& caption) { form_.qr.setCaption(label, caption); }

  // The picture a theme path names: null when no file is there, and when the file cannot be read,
  // which is then among the warnings. One file is read once for the page.
  Picture picture(const QString& held);
  const QStringList& warnings() const { return warnings_; }

 private:
  const MonthRequest& request_;
  const Theme& theme_;
  const NameDays& nameDays_;
  const std::function<QString(const QString&)>& locatePicture_;
  PictureShelf& pictures_;
  page::PrintForm form_;
  page::DayGrid grid_;
  LineExpansion expansion_;
  page::ElementFont weekdayFont_, holidayFont_, userHolidayFont_, forenamesFont_;
  QHash<QString, Picture> read_;  // theme path -> picture, null when left off
  QStringList warnings_;
  std::array<int, 31> moonPhases_;
};

}  // namespace orvella
