// One month's page while it is composed.
#include "calendar/composition/month_page.h"

#include "calendar/composition/generated_label.h"
#include "calendar/composition/picture_shelf.h"
#include "dates/moon_phases.h"
#include "dates/text_utils.h"
#include "platform/errors/error.h"
#include "platform/errors/message_texts.h"
#include "theme/model/theme.h"

namespace orvella {

namespace {

// Said once per picture after the loader's message, which names the file and why it cannot be read.
constexpr MessageText msg_PictureLeftOff{"msg_PictureLeftOff", "%s. Strona go nie pokazuje."};

page::ElementFont toElementFont(const ThemeFont& font) {
  page::ElementFont f;
  f.name = font.name;
  f.size = font.size;
  f.color = font.color;
  f.bold = font.bold;
  f.italic = font.italic;
  f.underline = font.underline;
  f.strikeout = font.strikeout;
  return f;
}

}  // namespace

bool DayCell::userHoliday() const { return entry && entry->kind == kUserHoliday; }

MonthPage::MonthPage(const MonthRequest& request, const Theme& theme, const NameDays& nameDays,
                     const std::function<QString(const QString&)>& locatePicture, PictureShelf& pictures)
    : request_(request),
      theme_(theme),
      nameDays_(nameDays),
      locatePicture_(locatePicture),
      pictures_(pictures),
      grid_(1.0),
      expansion_([year = request.year] { return year; }),
      weekdayFont_(toElementFont(theme.weekdayFont)),
      holidayFont_(toElementFont(theme.holidayFont)),
      userHolidayFont_(toElementFont(theme.userHolidayFont)),
      forenamesFont_(toElementFont(theme.forenamesFont)) {
  page::ReportPage& qr = form_.qr;
  if (!(request.options.page == qr.settings())) {
    qr.settings() = request.options.page;
    // Another sheet is another scale: each label must again hold one line of its font.
    for (page::Element* element : qr.elements()) qr.applyLabelHeightRule(*element);
  }
  grid_ = page::DayGrid(qr.scale());
  // The header's weekdays take the places of the columns their days fall in.
  const std::array<page::Element*, 7> weekdays = form_.weekdayLabels();
  std::array<int, 7> lefts{};
  for (int i = 0; i < 7; ++i) lefts[i] = weekdays[i]->left;
  for (int i = 0; i < 7; ++i) weekdays[i]->left = lefts[page::DayGrid::columnOf(i + 1, theme.firstWeekday)];
  moonPhases_.fill(-1);
  if (theme.moonPhases) {
    const QDate first(request.year, request.month, 1);
    const QTimeZone zone =
        request.options.timeZone.isEmpty() ? QTimeZone::systemTimeZone() : QTimeZone(request.options.timeZone);
    for (const MoonPhase& phase : moonPhasesBetween(first, first.addDays(first.daysInMonth() - 1), zone))
      moonPhases_[phase.localDay.day() - 1] = phase.phase;
  }
  const QStringList& names = request.options.language.weekdayNames;
  if (names.size() == 7)
    for (int i = 0; i < 7; ++i) weekdays[i]->caption = names[i];
}

DayCell MonthPage::cellOf(int day, int weekdayOfFirst, int firstDayNumber) const {
  DayCell cell;
  cell.day = day;
  cell.weekday = (weekdayOfFirst - 1 + day - 1) % 7 + 1;
  const page::DayGrid::Cell at = page::DayGrid::cellOf(weekdayOfFirst, day, theme_.firstWeekday);
  cell.column = at.column;
  cell.row = at.row;
  cell.dayNumber = firstDayNumber + day - 1;
  const int monthIndex = request_.month - 1;
  if (monthIndex < static_cast<int>(theme_.holidays.size()) &&
      day - 1 < static_cast<int>(theme_.holidays[monthIndex].size()))
    cell.entry = &theme_.holidays[monthIndex][day - 1];
  cell.holiday = cell.entry && !cell.entry->text.isEmpty();
  if (cell.holiday) {
    cell.holidayText = replaceAll(QStringLiteral("/"), QStringLiteral("\r"), expand(cell.entry->text));
    cell.wantsIcon = cell.holidayText.startsWith(QLatin1Char('*'));
    if (cell.wantsIcon) cell.holidayText.remove(0, 1);
  }
  return cell;
}

page::Element& MonthPage::addLabel(int left, int top, int width, page::Alignment alignment) {
  return addGeneratedLabel(form_.qr, left, top, width, alignment, true);
}

page::Element& MonthPage::addImage(int left, int top, int width, int height) {
  return addElement(page::ElementKind::Image, left, top, width, height);
}

page::Element& MonthPage::addElement(page::ElementKind kind, int left, int top, int width, int height) {
  page::Element& element = form_.qr.createElement(kind);
  element.left = left;
  element.top = top;
  element.width = width;
  element.height = height;
  element.tag = kGeneratedTag;
  return element;
}

Picture MonthPage::picture(const QString& held) {
  const QString file = locatePicture_ ? locatePicture_(held) : QString();
  if (file.isEmpty()) return {};
  const auto known = read_.constFind(file);
  if (known != read_.cend()) return *known;
  Picture picture;
  try {
    picture = pictures_.load(file);
  } catch (const Error& e) {
    warnings_ << formatMessage(messageText(msg_PictureLeftOff), e.message());
  }
  read_.insert(file, picture);
  return picture;
}

}  // namespace orvella
