// Composition of one month's page: day numbers, day texts, holiday icons and the two pictures.
#include "calendar/composition/month_composition.h"

#include <cmath>

#include "calendar/namedays/name_days.h"
#include "dates/calendar_days.h"
#include "dates/text_utils.h"
#include "platform/fonts/font_points.h"
#include "theme/model/theme.h"

namespace orvella {

namespace {

constexpr int kGeneratedTag = 1000;

int scaled(double k, int constant) { return static_cast<int>(std::nearbyint(k * constant)); }

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

// The week number's label: in the strip left of column 0's holiday icon, small and grey.
constexpr int kWeekLabelWidth = 10;
constexpr int kWeekLabelInset = 1;
constexpr int kWeekLabelPoints = 7;

page::ElementFont weekNumberFont(const ThemeFont& weekday) {
  page::ElementFont f;  // no style: only the face is the weekday font's
  f.name = weekday.name;
  f.size = kWeekLabelPoints;
  f.color = clGray;
  return f;
}

const QString kCarriageReturn = QStringLiteral("\r");
const QString kSlash = QStringLiteral("/");

}  // namespace

DayGrid::DayGrid(double k)
    : top(scaled(k, 78)),
      width(scaled(k, 66)),
      pitch(scaled(k, 69)),
      left0(scaled(k, 61)),
      rowPitch(scaled(k, 50)),
      textOffset(scaled(k, 31)),
      textHeight(scaled(k, 18)),
      iconSide(scaled(k, 20)),
      iconLeft0(scaled(k, 72)) {}

QString holidayDisplayText(const QString& text, const std::function<QString(const QString&)>& expandLine,
                           bool& wantsIcon) {
  QString shown = replaceAll(kSlash, kCarriageReturn, expandLine ? expandLine(text) : text);
  wantsIcon = shown.startsWith(QLatin1Char('*'));
  if (wantsIcon) shown.remove(0, 1);
  return shown;
}

void composeMonth(page::PrintForm& form, const MonthRequest& request, const CompositionSources& sources) {
  page::ReportPage& qr = form.qr;
  const Theme& theme = sources.theme;
  const DayGrid grid(qr.scale());
  const int month = request.monthIndex + 1;

  // The first day's weekday comes before anything on the page changes: an impossible date stops here.
  const int firstWeekday = isoWeekday(request.year, month, 1);

  qr.destroyTagged(kGeneratedTag);

  qr.setCaption(form.qr_miech, request.monthName);
  qr.setFontColor(form.qr_miech, theme.weekdayFont.color);
  qr.setCaption(form.QRL_rok, QString::number(request.year));
  qr.setFontColor(form.QRL_rok, theme.weekdayFont.color);

  const page::ElementFont weekdayFont = toElementFont(theme.weekdayFont);
  const page::ElementFont holidayFont = toElementFont(theme.holidayFont);
  const page::ElementFont userHolidayFont = toElementFont(theme.userHolidayFont);
  const page::ElementFont forenamesFont = toElementFont(theme.forenamesFont);
  const QString iconPath = sources.locatePicture ? sources.locatePicture(theme.pictureHoliday) : QString();

  Picture iconPicture;
  const std::vector<HolidayEntry> noEntries;
  const std::vector<HolidayEntry>& row =
      request.monthIndex < static_cast<int>(theme.holidays.size()) ? theme.holidays[request.monthIndex] : noEntries;

  const int firstDay = dayNumber(request.year, month, 1);
  const page::ElementFont weekFont = weekNumberFont(theme.weekdayFont);
  const int days = daysInMonth(request.year, month);
  for (int day = 1; day <= days; ++day) {
    const int position = firstWeekday - 2 + day;
    const int col = position % 7;
    const int rowIndex = position / 7;

    // Week number: before the first day-number label of its row, the ISO week of the row's Monday.
    if (theme.weekNumbers && (col == 0 || day == 1)) {
      page::Element& week = qr.createLabel();
      week.autoSize = false;
      week.frame = page::Frame{};
      week.left = grid.left0 + scaled(qr.scale(), kWeekLabelInset);
      week.top = grid.top + rowIndex * grid.rowPitch + scaled(qr.scale(), kWeekLabelInset);
      week.width = scaled(qr.scale(), kWeekLabelWidth);
      week.tag = kGeneratedTag;
      week.alignment = page::Alignment::Left;
      week.transparent = true;
      week.wordWrap = true;
      qr.setFont(week, weekFont);
      qr.setCaption(week, QString::number(isoWeekNumber(firstDay + day - 1 - col)));
    }
    const HolidayEntry* entry = day - 1 < static_cast<int>(row.size()) ? &row[day - 1] : nullptr;
    const bool isHoliday = entry && !entry->text.isEmpty();
    const bool userKind = entry && entry->kind == 'u';

    bool wantsIcon = false;
    QString holidayText;
    if (isHoliday) holidayText = holidayDisplayText(entry->text, sources.expandLine, wantsIcon);

    // Day number.
    page::Element& number = qr.createLabel();
    number.autoSize = false;
    number.frame = page::Frame{};
    number.frame.right = theme.drawFrames;
    number.width = grid.width;
    number.left = grid.left0 + col * grid.pitch;
    number.top = grid.top + rowIndex * grid.rowPitch;
    number.tag = kGeneratedTag;
    number.alignment = page::Alignment::Center;
    number.transparent = true;
    number.wordWrap = true;
    const bool holidayLook = isHoliday || (col == 6 && !theme.sundayLikeWeekday);
    qr.setFont(number, holidayLook ? (userKind ? userHolidayFont : holidayFont) : weekdayFont);
    qr.setCaption(number, QString::number(day));

    // Day text: the holiday, or the name days unless the theme goes without them.
    if (isHoliday || !theme.withoutForenames) {
      page::Element& text = qr.createLabel();
      text.autoSize = false;
      text.frame = page::Frame{};
      text.frame.bottom = theme.drawFrames;
      text.frame.right = theme.drawFrames;
      text.width = grid.width;
      text.height = grid.textHeight;
      text.left = grid.left0 + col * grid.pitch;
      text.top = grid.top + grid.textOffset + rowIndex * grid.rowPitch;
      text.tag = kGeneratedTag;
      text.alignment = page::Alignment::Center;
      text.transparent = true;
      text.wordWrap = true;
      page::ElementFont font = forenamesFont;
      if (isHoliday) {
        font.bold = true;
        font.italic = font.underline = font.strikeout = false;
        font.size = clampFontPoints(std::int64_t(font.size) + 1);
      } else if (col != 6) {
        font.bold = false;
      }
      qr.setFont(text, font);
      const QString caption =
          isHoliday ? holidayText
                    : replaceAll(kSlash, kCarriageReturn,
                                 sources.expandLine ? sources.expandLine(sources.nameDays.entry(request.monthIndex, day))
                                                    : sources.nameDays.entry(request.monthIndex, day));
      qr.setCaption(text, caption);
    }

    // Holiday icon.
    if (isHoliday && wantsIcon && !iconPath.isEmpty()) {
      page::Element& icon = qr.createImage();
      icon.width = grid.iconSide;
      icon.height = grid.iconSide;
      icon.left = grid.iconLeft0 + col * grid.pitch;
      icon.top = grid.top + rowIndex * grid.rowPitch;
      icon.tag = kGeneratedTag;
      icon.stretch = true;
      if (iconPicture.isNull()) iconPicture = Picture::load(iconPath);  // one file, shared by every icon
      icon.picture = iconPicture;
    }
  }

  if (sources.locatePicture) {
    const QString left = sources.locatePicture(theme.pictureLeft);
    // Months composed one after another mostly show the same pictures: one still as it was is kept
    // rather than decoded again.
    if (!left.isEmpty()) form.qri_left.picture = Picture::load(left, form.qri_left.picture);
    if (request.monthIndex >= 0 && request.monthIndex < 12) {
      const QString background = sources.locatePicture(theme.backgrounds[request.monthIndex]);
      if (!background.isEmpty()) form.bg_img.picture = Picture::load(background, form.bg_img.picture);
    }
  }
}

}  // namespace orvella
