// The theme editor's rules without its window: what the grid shows and what its texts become, the
// copy against the theme, national holidays in and out, and fonts as the font dialog answers them.
#include "editor/editing/theme_edit_copy.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "dates/calc_express.h"
#include "editor/editing/theme_font_choice.h"
#include "editor/holidays/national_holidays.h"
#include "platform/errors/error.h"
#include "theme/model/holiday_table.h"
#include "theme/model/theme_settings.h"
#include "tests/dates/qstring_printer.h"

namespace orvella {

void PrintTo(DayColour colour, std::ostream* out) { *out << int(colour); }
void PrintTo(const HolidayEntry& entry, std::ostream* out) {
  *out << '"' << entry.text.toStdString() << "\" kind " << int(entry.kind);
}

namespace {

constexpr int kYear = 2012;  // a leap year; 1 January is a Sunday
constexpr int kJanuary = 0;
constexpr int kFebruary = 1;
constexpr int kMarch = 2;

class ThemeEditCopyTest : public ::testing::Test {
 protected:
  ThemeEditCopyTest() {
    resetTables(theme, kYear);
    theme.name = QStringLiteral("Before");
    copy.load();
  }

  // The grid's text column of the shown month with one day changed.
  QStringList gridWith(int day, const QString& text) {
    QStringList texts;
    for (const GridDay& row : shown) texts << row.text;
    texts[day - 1] = text;
    return texts;
  }
  void show(int month, const QStringList& gridTexts = {}) { shown = copy.showMonth(gridTexts, month, kYear); }
  void type(int day, const QString& text, int thenShow) { show(thenShow, gridWith(day, text)); }
  const HolidayEntry& entry(int month, int day) const { return copy.holidays()[month][day - 1]; }

  Theme theme;
  ThemeEditCopy copy{theme};
  std::vector<GridDay> shown;
};

TEST_F(ThemeEditCopyTest, TypedTextIsStoredWithoutKindAndBecomesAUserHolidayWhenShownAgain) {
  show(kJanuary);
  type(5, QStringLiteral("Urodziny"), kMarch);
  EXPECT_EQ(entry(kJanuary, 5), (HolidayEntry{QStringLiteral("Urodziny"), kNoHolidayKind}));
  show(kJanuary);
  EXPECT_EQ(entry(kJanuary, 5).kind, kUserHoliday);
  EXPECT_EQ(shown[4], (GridDay{5, QStringLiteral("Urodziny"), DayColour::UserHoliday}));
  EXPECT_EQ(copy.shownMonth(), kJanuary);
}

TEST_F(ThemeEditCopyTest, AnEmptiedDayLosesItsKindAndAChangedNationalDayStaysNational) {
  theme.holidays[kJanuary][0] = {QStringLiteral("Nowy Rok"), kNationalHoliday};
  theme.holidays[kJanuary][5] = {QStringLiteral("Trzech Króli"), kNationalHoliday};
  copy.load();
  show(kJanuary);
  QStringList texts = gridWith(1, QString());
  texts[5] = QStringLiteral("Objawienie");
  show(kJanuary, texts);
  EXPECT_EQ(entry(kJanuary, 1), HolidayEntry());
  EXPECT_EQ(shown[0].colour, DayColour::Sunday);
  EXPECT_EQ(entry(kJanuary, 6), (HolidayEntry{QStringLiteral("Objawienie"), kNationalHoliday}));
  EXPECT_EQ(shown[5].colour, DayColour::NationalHoliday);
}

TEST_F(ThemeEditCopyTest, SundaysOfTheYearAreMarkedUnlessAHolidayColoursTheDay) {
  theme.holidays[kJanuary][7] = {QStringLiteral("*Dzień"), kUserHoliday};  // Sunday 8 January 2012
  copy.load();
  show(kJanuary);
  std::vector<int> sundays;
  for (const GridDay& day : shown)
    if (day.colour == DayColour::Sunday) sundays.push_back(day.day);
  EXPECT_EQ(sundays, (std::vector<int>{1, 15, 22, 29}));
  EXPECT_EQ(shown[7].colour, DayColour::UserHoliday);
  EXPECT_EQ(shown[1].colour, DayColour::Plain);
  // February follows the year's length, and its Sundays the year.
  show(kFebruary);
  ASSERT_EQ(shown.size(), 29u);
  EXPECT_EQ(shown[4].colour, DayColour::Sunday);  // 5 February 2012
  shown = copy.showMonth({}, kFebruary, 2013);
  EXPECT_EQ(shown[4].colour, DayColour::Plain);
  EXPECT_EQ(shown[2].colour, DayColour::Sunday);  // 3 February 2013
}

TEST_F(ThemeEditCopyTest, AGridTextComesBackFromTheSettingsFileAsTyped) {
  // Pasted text may hold the character that separates a stored text from its kind, or line breaks.
  show(kJanuary);
  type(3, QStringLiteral("Imieniny") + QChar(30) + QStringLiteral("n\r\nMamy"), kJanuary);
  const HolidayEntry stored = entry(kJanuary, 3);
  EXPECT_EQ(stored.kind, kUserHoliday);
  EXPECT_EQ(parseDayValue(formatDayValue(stored)), stored);
  EXPECT_FALSE(stored.text.contains(QLatin1Char('\n')));
}

TEST_F(ThemeEditCopyTest, NothingIsStoredBackWhenNoMonthIsShown) {
  show(kJanuary);
  const QStringList stale = gridWith(2, QStringLiteral("stale"));
  copy.load();  // a new opening: the grid still holds what it showed before
  EXPECT_EQ(copy.shownMonth(), ThemeEditCopy::kNoMonth);
  show(kMarch, stale);
  EXPECT_EQ(entry(kJanuary, 2), HolidayEntry());
}

TEST_F(ThemeEditCopyTest, OnlyTheCommitChangesTheThemeAndItTakesEveryMonthEdited) {
  show(kJanuary);
  type(1, QStringLiteral("a"), kFebruary);
  type(2, QStringLiteral("b"), kMarch);
  type(3, QStringLiteral("c"), kMarch);  // the last one still in the grid: OK stores it by showing again
  copy.font(kHolidayFont).size = 60;
  copy.picture(kLeftPicture) = QStringLiteral("/pictures/left.jpg");
  copy.background(kMarch) = QStringLiteral("/pictures/march.jpg");
  const Theme before = theme;
  EXPECT_EQ(theme.holidays, before.holidays);

  // Cancel: the next opening starts from the theme again.
  copy.load();
  EXPECT_EQ(copy.holidays(), theme.holidays);
  EXPECT_EQ(copy.font(kHolidayFont), theme.holidayFont);
  EXPECT_EQ(copy.picture(kLeftPicture), theme.pictureLeft);

  show(kJanuary);
  type(1, QStringLiteral("a"), kFebruary);
  type(2, QStringLiteral("b"), kMarch);
  type(3, QStringLiteral("c"), kMarch);
  copy.font(kHolidayFont).size = 60;
  copy.picture(kHolidayPicture) = QStringLiteral("/pictures/icon.ico");
  copy.background(kMarch) = QStringLiteral("/pictures/march.jpg");
  copy.commit(QStringLiteral("Mine"), {true, false, true});
  EXPECT_EQ(theme.holidays[kJanuary][0], (HolidayEntry{QStringLiteral("a"), kUserHoliday}));
  EXPECT_EQ(theme.holidays[kFebruary][1], (HolidayEntry{QStringLiteral("b"), kUserHoliday}));
  EXPECT_EQ(theme.holidays[kMarch][2], (HolidayEntry{QStringLiteral("c"), kUserHoliday}));
  EXPECT_EQ(theme.holidayFont.size, 60);
  EXPECT_EQ(theme.weekdayFont, before.weekdayFont);
  EXPECT_EQ(theme.pictureHoliday, QStringLiteral("/pictures/icon.ico"));
  EXPECT_EQ(theme.backgrounds[kMarch], QStringLiteral("/pictures/march.jpg"));
  EXPECT_EQ(theme.name, QStringLiteral("Mine"));
  EXPECT_TRUE(theme.sundayLikeWeekday && theme.drawFrames && !theme.withoutForenames);
}

class NationalHolidaysInTheCopyTest : public ThemeEditCopyTest {
 protected:
  QString file(const char* text) {
    const QString path = dir.filePath(QStringLiteral("test.hln"));
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text);
    return path;
  }
  QTemporaryDir dir;
  TCalcExpress ce{QLatin1Char('.')};
  NationalHolidaysImport importer{ce};
};

TEST_F(NationalHolidaysInTheCopyTest, TextsTypedIntoTheShownMonthKeepTheirDaysAndTheGridIsFilledAfresh) {
  show(kMarch);
  const QStringList typed = gridWith(3, QStringLiteral("mine"));
  copy.importNationalHolidays(importer, file("[1]\nm=3\nd=3\nname=theirs\n[2]\nm=3\nd=4\nname=national\n"), kYear,
                              typed);
  EXPECT_EQ(entry(kMarch, 3), (HolidayEntry{QStringLiteral("mine"), kUserHoliday}));
  EXPECT_EQ(entry(kMarch, 4), (HolidayEntry{QStringLiteral("national"), kNationalHoliday}));
  EXPECT_EQ(copy.shownMonth(), ThemeEditCopy::kNoMonth);

  show(kMarch);
  QStringList texts = gridWith(5, QStringLiteral("typed after"));
  EXPECT_EQ(copy.removeNationalHolidays(texts), 1);
  EXPECT_EQ(entry(kMarch, 4), HolidayEntry());
  EXPECT_EQ(entry(kMarch, 5), (HolidayEntry{QStringLiteral("typed after"), kUserHoliday}));
  EXPECT_EQ(entry(kMarch, 3).kind, kUserHoliday);
  EXPECT_EQ(copy.shownMonth(), ThemeEditCopy::kNoMonth);
}

TEST_F(NationalHolidaysInTheCopyTest, AnImportStoppedByAnErrorKeepsItsDaysAndLeavesNothingToStoreBack) {
  show(kJanuary);
  EXPECT_THROW(copy.importNationalHolidays(importer, file("[1]\nm=1\nd=2\nname=kept\n[2]\nexpr=1/0\n"), kYear,
                                           gridWith(1, QString())),
               Error);
  EXPECT_EQ(entry(kJanuary, 2), (HolidayEntry{QStringLiteral("kept"), kNationalHoliday}));
  EXPECT_EQ(copy.shownMonth(), ThemeEditCopy::kNoMonth);
  // The grid, still showing January without the imported day, cannot wipe it out.
  show(kMarch, gridWith(1, QString()));
  EXPECT_EQ(entry(kJanuary, 2).text, QStringLiteral("kept"));
}

TEST(ThemeFontChoice, TheDialogsAnswerKeepsFaceNamesAndColoursTheUserDidNotChange) {
  ThemeFont arial;
  arial.name = QStringLiteral("Arial");
  arial.size = 10;
  arial.color = clWindowText;
  const QFont shown = screenFont(arial);
  ThemeFont kept = themeFontFromChoice(shown, toQColor(arial.color), arial);
  EXPECT_EQ(kept, arial);

  QFont changed = shown;
  changed.setFamily(QStringLiteral("DejaVu Sans"));
  changed.setPointSize(72);
  changed.setBold(true);
  changed.setUnderline(true);
  const ThemeFont chosen = themeFontFromChoice(changed, QColor(255, 128, 0), arial);
  EXPECT_EQ(chosen.name, QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(chosen.size, 72);
  EXPECT_TRUE(chosen.bold && chosen.underline && !chosen.italic && !chosen.strikeout);
  EXPECT_EQ(chosen.color, ColorValue(0x000080FF));
}

}  // namespace
}  // namespace orvella
