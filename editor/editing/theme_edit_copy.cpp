// The theme editor's working copy and the rules of its holiday grid.
#include "editor/editing/theme_edit_copy.h"

#include <QDate>
#include <QScopeGuard>

#include "dates/calendar_days.h"
#include "editor/holidays/national_holidays.h"
#include "theme/model/holiday_table.h"

namespace orvella {

namespace {

// Texts typed since their month was shown have no kind yet: they become user holidays.
void classifyTypedTexts(HolidayRow& row) {
  for (HolidayEntry& entry : row)
    if (!entry.text.isEmpty() && entry.kind == kNoHolidayKind) entry.kind = kUserHoliday;
}

DayColour colourOf(const HolidayEntry& entry, int year, int month, int day) {
  if (entry.kind == kNationalHoliday) return DayColour::NationalHoliday;
  if (entry.kind == kUserHoliday) return DayColour::UserHoliday;
  // Any year the field holds, also one no page can be composed for.
  return QDate(year, month, day).dayOfWeek() == Qt::Sunday ? DayColour::Sunday : DayColour::Plain;
}

// The shown month is forgotten however the change of the table ends.
struct ForgetShownMonth {
  ThemeEditCopy& copy;
  ~ForgetShownMonth() { copy.forgetShownMonth(); }
};

}  // namespace

ThemeEditCopy::ThemeEditCopy(Theme& theme) : theme_(theme) {}

void ThemeEditCopy::load() {
  theme_.holidaysEditCopy = theme_.holidays;
  backgrounds_ = theme_.backgrounds;
  fonts_ = {theme_.weekdayFont, theme_.holidayFont, theme_.userHolidayFont, theme_.forenamesFont};
  name_ = theme_.name;
  pictureHoliday_ = theme_.pictureHoliday;
  pictureLeft_ = theme_.pictureLeft;
  shown_ = kNoMonth;
  undo_.clear();
  redo_.clear();
}

void ThemeEditCopy::commit(const QString& name, const ThemeSwitches& switches) {
  theme_.backgrounds = backgrounds_;
  // A text typed into a month that was not shown again has no kind yet; it is a user holiday now, as
  // it will be once saved and opened again, so the page looks the same before and after.
  for (HolidayRow& row : theme_.holidaysEditCopy) classifyTypedTexts(row);
  theme_.holidays = theme_.holidaysEditCopy;
  theme_.weekdayFont = fonts_[kWeekdayFont];
  theme_.holidayFont = fonts_[kHolidayFont];
  theme_.userHolidayFont = fonts_[kUserHolidayFont];
  theme_.forenamesFont = fonts_[kForenamesFont];
  name_ = name;
  theme_.name = name;
  theme_.pictureHoliday = pictureHoliday_;
  theme_.pictureLeft = pictureLeft_;
  theme_.withoutForenames = switches.withoutForenames;
  theme_.sundayLikeWeekday = switches.sundayLikeWeekday;
  theme_.drawFrames = switches.drawFrames;
  theme_.weekNumbers = switches.weekNumbers;
}

void ThemeEditCopy::storeShownMonth(const QStringList& texts) {
  HolidayTable& table = theme_.holidaysEditCopy;
  if (shown_ >= table.size()) return;
  HolidayRow& row = table[shown_];
  const qsizetype days = std::min<qsizetype>(qsizetype(row.size()), texts.size());
  for (qsizetype d = 0; d < days; ++d) {
    HolidayEntry& entry = row[d];
    entry.text = dayTextFromCell(texts[d]);
    // A text changed keeps its kind (a national holiday stays one); an emptied day has none.
    if (entry.text.isEmpty()) entry.kind = kNoHolidayKind;
  }
}

std::vector<GridDay> ThemeEditCopy::showMonth(const QStringList& shownTexts, int month, int year) {
  storeShownMonth(shownTexts);
  std::vector<GridDay> days;
  HolidayTable& table = theme_.holidaysEditCopy;
  if (month < 0 || month >= int(table.size())) {
    shown_ = kNoMonth;
    return days;
  }
  HolidayRow& row = table[month];
  classifyTypedTexts(row);
  // The days of the month in the year: a 29 February the year does not have stays, unshown.
  const int shown = std::min(int(row.size()), daysInMonth(year, month + 1));
  days.reserve(shown);
  for (int d = 1; d <= shown; ++d) {
    const HolidayEntry& entry = row[d - 1];
    days.push_back({d, entry.text, colourOf(entry, year, month + 1, d)});
  }
  shown_ = std::uint8_t(month);
  return days;
}

void ThemeEditCopy::keepTypedTexts(const QStringList& shownTexts) {
  storeShownMonth(shownTexts);
  if (shown_ < theme_.holidaysEditCopy.size()) classifyTypedTexts(theme_.holidaysEditCopy[shown_]);
}

void ThemeEditCopy::storeGridEdit(const QStringList& shownTexts) {
  Values before = values();
  storeShownMonth(shownTexts);
  recordSince(std::move(before), shown_);
}

void ThemeEditCopy::importNationalHolidays(NationalHolidaysImport& import, const QString& path, int year,
                                           const QStringList& shownTexts) {
  // Days imported before an error stay, and undo takes them back as well.
  const auto record = qScopeGuard([this, before = values()] { recordSince(before, kNoMonth); });
  keepTypedTexts(shownTexts);
  const ForgetShownMonth forget{*this};
  const FebruaryOfYear february(theme_.holidaysEditCopy, year);
  import.importFile(path, theme_.holidaysEditCopy, year);
}

int ThemeEditCopy::removeNationalHolidays(const QStringList& shownTexts) {
  Values before = values();
  keepTypedTexts(shownTexts);
  forgetShownMonth();
  const int removed = NationalHolidaysImport::removeNationalHolidays(theme_.holidaysEditCopy);
  recordSince(std::move(before), kNoMonth);
  return removed;
}

const QString& ThemeEditCopy::picture(int index) const {
  return index == kHolidayPicture ? pictureHoliday_ : pictureLeft_;
}

void ThemeEditCopy::setFont(int index, const ThemeFont& font) {
  Values before = values();
  fonts_.at(index) = font;
  recordSince(std::move(before), kNoMonth);
}

void ThemeEditCopy::setPicture(int index, const QString& path) {
  Values before = values();
  (index == kHolidayPicture ? pictureHoliday_ : pictureLeft_) = path;
  recordSince(std::move(before), kNoMonth);
}

void ThemeEditCopy::setBackground(int month, const QString& path) {
  Values before = values();
  backgrounds_.at(month) = path;
  recordSince(std::move(before), month);
}

ThemeEditCopy::Values ThemeEditCopy::values() const {
  return {theme_.holidaysEditCopy, backgrounds_, fonts_, pictureLeft_, pictureHoliday_};
}

void ThemeEditCopy::setValues(const Values& values) {
  theme_.holidaysEditCopy = values.holidays;
  backgrounds_ = values.backgrounds;
  fonts_ = values.fonts;
  pictureLeft_ = values.pictureLeft;
  pictureHoliday_ = values.pictureHoliday;
}

void ThemeEditCopy::recordSince(Values before, int month) {
  if (before == values()) return;
  undo_.push_back({std::move(before), month});
  redo_.clear();
}

int ThemeEditCopy::takeStep(std::vector<Step>& from, std::vector<Step>& to) {
  if (from.empty()) return kNoMonth;
  Step step = std::move(from.back());
  from.pop_back();
  to.push_back({values(), step.month});
  setValues(step.before);
  forgetShownMonth();
  return step.month;
}

int ThemeEditCopy::undo() { return takeStep(undo_, redo_); }

int ThemeEditCopy::redo() { return takeStep(redo_, undo_); }

QString ThemeEditCopy::dayTextFromCell(const QString& cell) {
  QString text = cell;
  text.remove(QChar(30));
  text.replace(QLatin1String("\r\n"), QLatin1String(" "));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

QString ThemeEditCopy::fontDescription(const ThemeFont& font) {
  return QStringLiteral("%1, %2").arg(font.name).arg(font.size);
}

}  // namespace orvella
