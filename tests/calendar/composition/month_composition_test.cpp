// The month composition: grid positions, fonts, texts, icons, frames and failures.
#include <QImage>
#include <QJsonArray>
#include <QPainter>
#include <functional>

#include "calendar/composition/year_overview.h"
#include "calendar/page/page_json.h"
#include "calendar/page/page_renderer.h"
#include "composition_fixture.h"
#include "platform/errors/error.h"
#include "preview/engine/report_file.h"
#include "tests/support/files.h"
#include "tests/support/reference_image.h"

namespace orvella::testing {
namespace {

using page::Alignment;
using page::ElementKind;

class GridTest : public CompositionTest {};

TEST_F(GridTest, January2010StartsOnFridayAndEndsInRowFour) {
  compose(2010, 0);
  const page::Element* first = dayNumber(1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->left, 61 + 69 * 4);
  EXPECT_EQ(first->top, 78);
  EXPECT_EQ(first->width, 66);
  EXPECT_EQ(first->tag, 1000);
  EXPECT_EQ(first->alignment, Alignment::Center);
  EXPECT_TRUE(first->transparent);
  const page::Element* last = dayNumber(31);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->left, 61 + 69 * 6);
  EXPECT_EQ(last->top, 78 + 50 * 4);
  const page::Element* text = after(first);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->top, 109);
  EXPECT_EQ(text->height, 18);
  EXPECT_EQ(text->caption, QStringLiteral("Mieczysława"));
}

TEST_F(GridTest, MonthsStartingLateUseTheSixthRow) {
  compose(2010, 4);  // May 2010: 31 days, first day a Saturday
  const page::Element* last = dayNumber(31);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->top, 328);
  EXPECT_EQ(last->left, 61);
  compose(2010, 9);  // October 2010: first day a Friday, no sixth row
  EXPECT_EQ(dayNumber(31)->top, 78 + 50 * 4);
}

// The previous and the next month stand small in the grid's first and last free cells (their Sundays
// and holidays marked, as the reference images show).
TEST_F(GridTest, TheNeighbouringMonthsStandInTheFirstAndLastFreeCells) {
  theme.miniMonths = true;
  const std::tuple<int, const char*, QPoint, const char*> cases[] = {
      {0, "Grudzień 2009", {61, 78}, "Luty 2010"},
      {1, "Styczeń 2010", {61, 278}, "Marzec 2010"},  // February 2010 starts on a Monday
  };
  for (const auto& [monthIndex, previous, at, next] : cases) {
    compose(2010, monthIndex);
    QHash<QString, QPoint> placed;
    for (const page::Element* e : generated()) placed.insert(e->caption, QPoint(e->left, e->top));
    EXPECT_EQ(placed.value(QString::fromUtf8(previous)), at);
    EXPECT_EQ(placed.value(QString::fromUtf8(next)), QPoint(61 + 69 * 6, 78 + 50 * 5));
  }
}

// Each addition to the page as it looks: February 2024 at 60 dpi, compared with its reference image
// (calendar/<name>.png in the references).
TEST_F(GridTest, EachAdditionLooksAsItsReference) {
  const QString photo = folder.path() + QStringLiteral("/photo.bmp");
  QImage wide(300, 100, QImage::Format_RGB32);  // blue, then yellow in the middle third, then green
  wide.fill(Qt::yellow);
  QPainter(&wide).fillRect(0, 0, 100, 100, Qt::blue);
  QPainter(&wide).fillRect(200, 0, 100, 100, Qt::darkGreen);
  wide.save(photo, "BMP");
  pictures.insert(photo, photo);
  const Theme plain = theme;
  bool overview = false;
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"sunday_first_week_numbers", [&] { theme.firstWeekday = 7, theme.weekNumbers = true; }},
      {"background_fill", [&] { theme.backgrounds[1] = photo, theme.backgroundFit = BackgroundFit::Fill; }},
      {"background_fit", [&] { theme.backgrounds[1] = photo, theme.backgroundFit = BackgroundFit::Fit; }},
      {"weekday_names_english", [&] {
         options.language.weekdayNames = QStringList{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
       }},
      {"moon_phases", [&] { theme.moonPhases = true, options.timeZone = "Europe/Warsaw"; }},
      {"year_overview", [&] { overview = true, theme.holidays[4][2] = HolidayEntry{"Konstytucja", 'n'}; }},
      {"mini_months", [&] { theme.miniMonths = true, theme.holidays[0][0] = HolidayEntry{"Nowy Rok", 'n'}; }},
  };
  for (const auto& [name, choose] : cases) {
    theme = plain;
    options = RequestOptions{};
    overview = false;
    choose();
    compose(2024, 1);
    if (overview) composed = composeYearOverview(MonthRequest{snapshotOf(theme), 2024, 1, options, PageKind::YearOverview});
    QImage image(702, 496, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page::drawPage(composed.page, painter, page::DeviceMapping{60, 60, 0, 0});
    painter.end();
    EXPECT_EQ(differenceFromReference(image, QStringLiteral("calendar/") + QLatin1String(name)).toStdString(), "");
  }
}

TEST_F(GridTest, FebruaryFollowsTheLeapYearRule) {
  compose(2012, 1);
  EXPECT_NE(dayNumber(29), nullptr);
  compose(2013, 1);
  EXPECT_EQ(dayNumber(29), nullptr);
  EXPECT_NE(dayNumber(28), nullptr);
}

TEST_F(GridTest, ComposingTwiceLeavesOneSetOfElements) {
  compose(2010, 0);
  const size_t once = generated().size();
  compose(2010, 0);
  EXPECT_EQ(generated().size(), once);
  EXPECT_EQ(once, 62u);  // 31 day numbers and 31 name days
}

// A larger sheet is another scale: each label, the form's own too, holds one line of its font there.
TEST_F(GridTest, ALargerSheetRaisesLabelsToOneLineAtItsScale) {
  options.page.paperWidthMm = 420;  // A3
  options.page.paperHeightMm = 297;
  compose(2010, 0);
  EXPECT_EQ(composed.page.settings, options.page);
  page::ReportPage a3;
  a3.settings() = options.page;
  for (const page::Element& e : composed.page.elements) {
    if (e.kind == ElementKind::Label) EXPECT_GE(e.height, a3.minimumLabelHeight(e.font)) << e.caption.toStdString();
  }
}

TEST_F(GridTest, MonthNameAndYearTakeTheWeekdayColour) {
  theme.weekdayFont.color = 0x0000FF;
  compose(2011, 2);
  EXPECT_EQ(named("qr_miech").caption, QStringLiteral("Marzec"));
  EXPECT_EQ(named("qr_miech").font.color, 0x0000FFu);
  EXPECT_EQ(named("qr_miech").font.name, QStringLiteral("Arial Black"));
  EXPECT_EQ(named("QRL_rok").caption, QStringLiteral("2011"));
  EXPECT_EQ(named("QRL_rok").font.color, 0x0000FFu);
}

TEST_F(GridTest, AnImpossibleYearStopsBeforeThePageChanges) {
  compose(2010, 0);
  const size_t before = generated().size();
  try {
    compose(10000, 0);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Invalid argument to date encode"));
  }
  EXPECT_EQ(generated().size(), before);
  EXPECT_EQ(named("QRL_rok").caption, QStringLiteral("2010"));
}

class FontRuleTest : public CompositionTest {
 protected:
  void SetUp() override {
    CompositionTest::SetUp();
    theme.weekdayFont.name = QStringLiteral("Weekday");
    theme.holidayFont.name = QStringLiteral("Holiday");
    theme.userHolidayFont.name = QStringLiteral("UserHoliday");
    theme.forenamesFont.name = QStringLiteral("Names");
    theme.forenamesFont.bold = true;
    theme.forenamesFont.italic = true;
  }
};

// January 2010: the 4th is a Monday, the 10th a Sunday.
TEST_F(FontRuleTest, OrdinaryDayUsesWeekdayFontAndNamesWithoutBold) {
  compose(2010, 0);
  EXPECT_EQ(dayNumber(4)->font.name, QStringLiteral("Weekday"));
  const page::Element* text = after(dayNumber(4));
  EXPECT_EQ(text->font.name, QStringLiteral("Names"));
  EXPECT_FALSE(text->font.bold);
  EXPECT_TRUE(text->font.italic);
  EXPECT_EQ(text->font.size, 10);
}

TEST_F(FontRuleTest, SundayUsesHolidayFontAndNamesUnchanged) {
  compose(2010, 0);
  EXPECT_EQ(dayNumber(10)->font.name, QStringLiteral("Holiday"));
  const page::Element* text = after(dayNumber(10));
  EXPECT_TRUE(text->font.bold);
  EXPECT_TRUE(text->font.italic);
}

TEST_F(FontRuleTest, SundayLikeWeekdayUsesWeekdayFont) {
  theme.sundayLikeWeekday = true;
  compose(2010, 0);
  EXPECT_EQ(dayNumber(10)->font.name, QStringLiteral("Weekday"));
  EXPECT_TRUE(after(dayNumber(10))->font.bold);  // the name days of a Sunday keep their font
}

TEST_F(FontRuleTest, HolidaysUseTheirKindsFontAndBoldLargerText) {
  setHoliday(0, 5, QStringLiteral("Mine"), 'u');
  setHoliday(0, 6, QStringLiteral("Trzech Króli"), 'n');
  setHoliday(0, 10, QStringLiteral("Sunday mine"), 'u');
  compose(2010, 0);
  EXPECT_EQ(dayNumber(5)->font.name, QStringLiteral("UserHoliday"));
  EXPECT_EQ(dayNumber(6)->font.name, QStringLiteral("Holiday"));
  EXPECT_EQ(dayNumber(10)->font.name, QStringLiteral("UserHoliday"));
  const page::Element* text = after(dayNumber(6));
  EXPECT_EQ(text->caption, QStringLiteral("Trzech Króli"));
  EXPECT_TRUE(text->font.bold);
  EXPECT_FALSE(text->font.italic);
  EXPECT_EQ(text->font.size, 11);
}

TEST_F(FontRuleTest, AKindWithoutTextStillChoosesTheSundayFont) {
  theme.holidays[0][9].kind = 'u';  // Sunday 10 January, no text
  compose(2010, 0);
  EXPECT_EQ(dayNumber(10)->font.name, QStringLiteral("UserHoliday"));
}

class TextRuleTest : public CompositionTest {
 protected:
  void useIcon() {
    const QString icon = folder.path() + QStringLiteral("/icon.bmp");
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(icon, "BMP"));
    pictures.insert(theme.pictureHoliday, icon);
  }
  int images() const {
    int n = 0;
    for (const page::Element* e : generated()) n += e->kind == ElementKind::Image;
    return n;
  }
};

TEST_F(TextRuleTest, SingleStarGivesIconAndEmptyCaption) {
  useIcon();
  setHoliday(0, 4, QStringLiteral("*"));
  compose(2010, 0);
  EXPECT_EQ(after(dayNumber(4))->caption, QString());
  const page::Element* icon = after(after(dayNumber(4)));
  ASSERT_EQ(icon->kind, ElementKind::Image);
  EXPECT_EQ(icon->left, 72);
  EXPECT_EQ(icon->top, 128);
  EXPECT_EQ(icon->width, 20);
  EXPECT_EQ(icon->height, 20);
  EXPECT_TRUE(icon->stretch);
  EXPECT_FALSE(icon->frame.any());
}

TEST_F(TextRuleTest, StarAfterSlashStaysAndGivesNoIcon) {
  useIcon();
  setHoliday(0, 4, QStringLiteral("Jeden/*Dwa"));
  compose(2010, 0);
  EXPECT_EQ(after(dayNumber(4))->caption, QStringLiteral("Jeden\r*Dwa"));
  EXPECT_EQ(images(), 0);
}

TEST_F(TextRuleTest, LeadingStarWithSlashLosesStarAndGivesIcon) {
  useIcon();
  setHoliday(0, 4, QStringLiteral("*Jeden/Dwa"));
  compose(2010, 0);
  EXPECT_EQ(after(dayNumber(4))->caption, QStringLiteral("Jeden\rDwa"));
  EXPECT_EQ(images(), 1);
}

TEST_F(TextRuleTest, NoIconWhenThePictureFileIsMissing) {
  setHoliday(0, 4, QStringLiteral("*Jeden"));
  compose(2010, 0);
  EXPECT_EQ(images(), 0);
}

TEST_F(TextRuleTest, WithoutNameDaysOnlyHolidaysGetText) {
  theme.withoutForenames = true;
  setHoliday(0, 4, QStringLiteral("Jeden"));
  compose(2010, 0);
  EXPECT_EQ(generated().size(), 32u);
}

TEST_F(TextRuleTest, FramesFollowTheSwitch) {
  compose(2010, 0);
  for (const page::Element* e : generated()) EXPECT_FALSE(e->frame.any());
  theme.drawFrames = true;
  compose(2010, 0);
  const page::Element* number = dayNumber(4);
  EXPECT_TRUE(number->frame.right);
  EXPECT_FALSE(number->frame.bottom || number->frame.top || number->frame.left);
  const page::Element* text = after(number);
  EXPECT_TRUE(text->frame.right && text->frame.bottom);
  EXPECT_FALSE(text->frame.top || text->frame.left);
}

TEST_F(TextRuleTest, NameDaysJoinedBySlashShowOnTwoLines) {
  ASSERT_TRUE(writeFile(folder.path() + QStringLiteral("/holidays/default.ini"), "[1]\r\n4=Anieli/Tytusa\r\n"));
  nameDays.load_forenames(folder.path());
  compose(2010, 0);
  EXPECT_EQ(after(dayNumber(4))->caption, QStringLiteral("Anieli\rTytusa"));
}

TEST_F(TextRuleTest, MarkersExpandForTheChosenYear) {
  setHoliday(0, 4, QStringLiteral("@_age|1918 lat"));
  setHoliday(0, 5, QStringLiteral("a@_age|2000, b"));
  compose(2010, 0);
  EXPECT_EQ(after(dayNumber(4))->caption, QStringLiteral("92 lat"));
  EXPECT_EQ(after(dayNumber(5))->caption, QStringLiteral("a10, b"));
  compose(2011, 0);
  EXPECT_EQ(after(dayNumber(4))->caption, QStringLiteral("93 lat"));
}

TEST_F(TextRuleTest, AMarkerThatIsNoNumberStopsTheComposition) {
  setHoliday(0, 4, QStringLiteral("@_age|2000b"));
  try {
    compose(2010, 0);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("'2000b' is not a valid integer value"));
  }
}

// The page depends on its request alone: a month whose picture files are missing shows none, whatever
// the month composed before it showed.
TEST_F(TextRuleTest, AMonthWithoutItsPictureFilesShowsNone) {
  const QString left = folder.path() + QStringLiteral("/left.bmp");
  QImage(2, 8, QImage::Format_RGB32).save(left, "BMP");
  pictures.insert(theme.pictureLeft, left);
  theme.backgrounds[0] = left;
  pictures.insert(left, left);
  compose(2010, 0);
  ASSERT_FALSE(named("qri_left").picture.isNull() || named("bg_img").picture.isNull());
  compose(2010, 1);
  EXPECT_TRUE(named("bg_img").picture.isNull());
  pictures.clear();
  compose(2010, 0);
  EXPECT_TRUE(named("qri_left").picture.isNull());
  EXPECT_TRUE(named("bg_img").picture.isNull());
}

// Months composed one after another (a year preview, an export) show the same pictures: a file whose
// bytes are those already on the page is not decoded again, and one that changed meanwhile is.
TEST_F(TextRuleTest, APictureIsDecodedAgainOnlyWhenItsFileChanged) {
  const QString left = folder.path() + QStringLiteral("/left.bmp");
  QImage(2, 8, QImage::Format_RGB32).save(left, "BMP");
  pictures.insert(theme.pictureLeft, left);
  compose(2010, 0);
  const Picture january = named("qri_left").picture;
  compose(2010, 1);
  EXPECT_EQ(named("qri_left").picture.bytes().constData(), january.bytes().constData());
  QImage(3, 8, QImage::Format_RGB32).save(left, "BMP");
  compose(2010, 2);
  EXPECT_EQ(named("qri_left").picture.naturalSize().width(), 3);
}

// A picture that is there but cannot be read is left off, once said with the loader's message; the
// rest of the page is composed.
TEST_F(TextRuleTest, AnUnreadablePictureIsLeftOffWithAWarning) {
  const QString broken = folder.path() + QStringLiteral("/broken.jpg");
  ASSERT_TRUE(writeFile(broken, "\xFF\xD8\xFF\xE0 not really a jpeg"));
  theme.backgrounds[0] = theme.pictureHoliday = broken;
  pictures.insert(broken, broken);
  setHoliday(0, 4, QStringLiteral("*Jeden"));
  setHoliday(0, 5, QStringLiteral("*Dwa"));
  compose(2010, 0);
  EXPECT_TRUE(named("bg_img").picture.isNull());
  EXPECT_EQ(images(), 0);
  ASSERT_EQ(composed.warnings.size(), 1) << composed.warnings.join('\n').toStdString();
  EXPECT_TRUE(composed.warnings.front().contains(broken)) << composed.warnings.front().toStdString();
  EXPECT_EQ(generated().size(), 62u);
}

}  // namespace
}  // namespace orvella::testing

namespace orvella::testing {
namespace {

class WeekNumberTest : public CompositionTest {
 protected:
  // The week labels in list order: generated labels in the weekday face at 7 points.
  std::vector<const page::Element*> weekLabels() const {
    std::vector<const page::Element*> labels;
    for (const page::Element* e : generated())
      if (e->kind == ElementKind::Label && e->font.size == 7 && e->font.name == theme.weekdayFont.name)
        labels.push_back(e);
    return labels;
  }
  QStringList captions() const {
    QStringList list;
    for (const page::Element* e : weekLabels()) list << e->caption;
    return list;
  }
};

TEST_F(WeekNumberTest, EachRowShowsTheIsoWeekOfItsMondayAcrossTheTurnOfTheYear) {
  theme.weekNumbers = true;
  compose(2024, 11);  // December 2024 starts on a Sunday; its last row is week 1 of 2025
  EXPECT_EQ(captions(), QStringList({"48", "49", "50", "51", "52", "1"}));
  compose(2027, 0);  // 1 January 2027 is a Friday in week 53 of 2026
  EXPECT_EQ(captions(), QStringList({"53", "1", "2", "3", "4"}));
  compose(2010, 1);  // February 2010 fills exactly four rows: no label for a row without days
  EXPECT_EQ(captions(), QStringList({"5", "6", "7", "8"}));
}

// Whatever weekday the theme's week starts on, each day stands in its weekday's column, the rows fill
// in order, each header name stands over its days and a row's week number is that of its Thursday.
TEST_F(WeekNumberTest, TheGridFollowsTheFirstWeekdayAcrossMonthsAndYears) {
  const char* headers[] = {"l_Monday", "l_Tuesday", "l_Wednesday", "l_Thursday", "l_Friday", "l_Saturday", "l_Sunday"};
  const QDate months[] = {{1900, 2, 1}, {2000, 2, 1}, {2010, 5, 1}, {2012, 9, 1}, {2024, 12, 1}, {2027, 1, 1}, {2100, 3, 1}};
  theme.weekNumbers = true;
  for (const int first : {1, 6, 7}) {
    for (const QDate& month : months) {
      SCOPED_TRACE(QStringLiteral("first weekday %1, %2").arg(first).arg(month.toString(Qt::ISODate)).toStdString());
      theme.firstWeekday = first;
      compose(month.year(), month.month() - 1);
      int row = 0;
      QStringList weeks;
      for (int day = 1; day <= month.daysInMonth(); ++day) {
        const QDate date = month.addDays(day - 1);
        const int column = (date.dayOfWeek() - first + 7) % 7;
        if (day > 1 && column == 0) ++row;
        if (day == 1 || column == 0) weeks << QString::number(date.addDays((4 - first + 7) % 7 - column).weekNumber());
        const page::Element* number = dayNumber(day);
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->left, 61 + 69 * column);
        EXPECT_EQ(number->top, 78 + 50 * row);
        EXPECT_LE(std::abs(named(headers[date.dayOfWeek() - 1]).left - number->left), 4);
      }
      EXPECT_EQ(captions(), weeks);
    }
  }
}

// Each principal phase of the Moon is a symbol in the top right corner of its day's number cell, on
// the day it falls in the request's time zone: February 2024's new moon, at 22:59 UTC on the 9th, is
// the 10th in Tokyo.
TEST_F(WeekNumberTest, MoonPhasesStandInTheirDaysCornersInTheRequestsTimeZone) {
  theme.moonPhases = true;
  const std::pair<const char*, std::vector<std::pair<int, int>>> cases[] = {
      {"UTC", {{2, 3}, {9, 0}, {16, 1}, {24, 2}}},
      {"Asia/Tokyo", {{3, 3}, {10, 0}, {17, 1}, {24, 2}}},
  };
  for (const auto& [zone, phases] : cases) {
    options.timeZone = zone;
    compose(2024, 1);
    std::vector<std::pair<int, int>> found;
    for (const page::Element* e : generated()) {
      if (e->kind != ElementKind::Moon) continue;
      found.emplace_back(e->day, e->phase);
      const page::Element* number = dayNumber(e->day);
      EXPECT_GT(e->left, number->left + number->width / 2);
      EXPECT_LE(e->left + e->width, number->left + number->width);
      EXPECT_GT(e->top, number->top);
      EXPECT_LT(e->top + e->height, number->top + number->height);
    }
    EXPECT_EQ(found, phases) << zone;
    int described = 0;  // the page model lists them too
    for (const QJsonValue& e : pageToJson(composed.page, 2024, 2)[QStringLiteral("elements")].toArray())
      described += e[QStringLiteral("kind")] == QStringLiteral("moon") && e.toObject().contains(QStringLiteral("phase")) &&
                   e.toObject().contains(QStringLiteral("day"));
    EXPECT_EQ(described, 4);
  }
}

TEST_F(WeekNumberTest, TheLabelStandsBeforeItsRowsFirstDayInTheStripLeftOfTheIcon) {
  theme.weekNumbers = true;
  theme.drawFrames = true;
  theme.weekdayFont.bold = true;
  theme.weekdayFont.italic = true;
  compose(2010, 0);  // day 1 on a Friday in row 0, then days 4, 11, 18, 25 open the rows
  const std::vector<const page::Element*> labels = weekLabels();
  ASSERT_EQ(labels.size(), 5u);
  const int firstDays[] = {1, 4, 11, 18, 25};
  for (int row = 0; row < 5; ++row) {
    SCOPED_TRACE(row);
    const page::Element* week = labels[size_t(row)];
    EXPECT_EQ(after(week), dayNumber(firstDays[row]));
    EXPECT_EQ(week->left, 62);
    EXPECT_EQ(week->top, 79 + 50 * row);
    EXPECT_EQ(week->width, 10);
    EXPECT_GE(week->height, page::ReportPage().minimumLabelHeight(week->font));
    EXPECT_EQ(week->tag, 1000);
    EXPECT_EQ(week->alignment, Alignment::Left);
    EXPECT_TRUE(week->transparent);
    EXPECT_FALSE(week->frame.any());
    EXPECT_EQ(week->font.color, clGray);
    EXPECT_FALSE(week->font.bold || week->font.italic || week->font.underline || week->font.strikeout);
  }

  // Off, the page is what it always was.
  theme.weekNumbers = false;
  compose(2010, 0);
  EXPECT_TRUE(weekLabels().empty());
  EXPECT_EQ(generated().size(), 62u);
}


}  // namespace
}  // namespace orvella::testing

namespace orvella::testing {
namespace {

// Font sizes travel from a theme's settings through the page into report files: whatever size a
// theme gives, the composed page is one that the report reader takes back.
TEST_F(CompositionTest, AnyFontSizeOfAThemeMakesAPageTheReportReaderTakes) {
  for (const char* size : {"0", "-7", "1", "999", "1000", "1200", "2147483647"}) {
    SCOPED_TRACE(size);
    const QByteArray settings = QByteArray("[1]\r\n1=Nowy Rok\x1en\r\n2=Urodziny\r\n") +
                                "[font_forenames]\r\nsize=" + size + "\r\n[font_holiday]\r\nsize=" + size +
                                "\r\n[font_weekday]\r\nsize=" + size +
                                "\r\n[font_user_holiday]\r\nsize=" + size + "\r\n";
    readThemeSettings(theme, IniFile::fromBytes(settings), QString());
    compose(2010, 0);
    try {
      const std::vector<page::GeneratedPage> pages =
          report::decodeReport(report::encodeReport({composed.page}), QStringLiteral("month.QRP"));
      EXPECT_EQ(pages.size(), 1u);
    } catch (const Error& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

}  // namespace
}  // namespace orvella::testing
