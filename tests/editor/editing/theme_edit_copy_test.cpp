// The theme editor's rules without its window: what the grid shows and what its texts become, the
// copy against the theme, national holidays in and out, and fonts as the font dialog answers them.
#include "editor/editing/theme_edit_copy.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "dates/calc_express.h"
#include "editor/editing/theme_font_choice.h"
#include "editor/holidays/national_holidays.h"
#include "platform/errors/error.h"
#include "theme/model/holiday_table.h"
#include "theme/model/theme_settings.h"
#include "tests/dates/qstring_printer.h"
#include "tests/support/files.h"

namespace orvella {

void PrintTo(const HolidayEntry& entry, std::ostream* out) {
  *out << '"' << entry.text.toStdString() << "\" kind " << int(entry.kind);
}

namespace {

constexpr int kYear = 2012;
constexpr int kJanuary = 0;
constexpr int kFebruary = 1;
constexpr int kMarch = 2;

class ThemeEditCopyTest : public ::testing::Test {
 protected:
  ThemeEditCopyTest() {
    resetTables(theme);
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

TEST_F(ThemeEditCopyTest, TheCommitMakesEveryTypedTextAUserHolidayAndALoadForgetsTheEdits) {
  show(kJanuary);
  type(1, QStringLiteral("a"), kFebruary);
  type(2, QStringLiteral("b"), kMarch);
  copy.setFont(kHolidayFont, ThemeFont{.size = 60});
  copy.load();  // Cancel, then a new opening
  EXPECT_EQ(copy.holidays(), theme.holidays);
  EXPECT_EQ(copy.font(kHolidayFont), theme.holidayFont);

  show(kJanuary);
  type(1, QStringLiteral("a"), kFebruary);
  type(2, QStringLiteral("b"), kMarch);
  EXPECT_EQ(theme.holidays[kJanuary][0], HolidayEntry());
  // January and February are not shown again before OK: their texts have no kind yet.
  copy.commit(QStringLiteral("Mine"), {true, false, true, true});
  EXPECT_EQ(theme.holidays[kJanuary][0], (HolidayEntry{QStringLiteral("a"), kUserHoliday}));
  EXPECT_EQ(theme.holidays[kFebruary][1], (HolidayEntry{QStringLiteral("b"), kUserHoliday}));
  EXPECT_EQ(theme.name, QStringLiteral("Mine"));
  EXPECT_EQ(
      (ThemeSwitches{theme.sundayLikeWeekday, theme.withoutForenames, theme.drawFrames, theme.weekNumbers}),
            (ThemeSwitches{true, false, true, true}));
}

class NationalHolidaysInTheCopyTest : public ThemeEditCopyTest {
 protected:
  QString file(const char* text) {
    const QString path = dir.filePath(QStringLiteral("test.hln"));
    EXPECT_TRUE(testing::writeFile(path, text));
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

// A year without 29 February shows 28 days and imports none into the 29th, which keeps what it holds.
TEST_F(NationalHolidaysInTheCopyTest, ACommonYearNeitherShowsNorFillsTwentyNinthFebruary) {
  const QString leapDay = file("[1]\nm=2\nd=29\nname=leap\n");
  shown = copy.showMonth({}, kFebruary, 2013);
  EXPECT_EQ(shown.size(), 28u);
  copy.importNationalHolidays(importer, leapDay, 2013, gridWith(1, QString()));
  EXPECT_EQ(entry(kFebruary, 29), HolidayEntry());
  show(kFebruary);
  type(29, QStringLiteral("typed in 2012"), kMarch);
  shown = copy.showMonth({}, kFebruary, 2013);
  shown = copy.showMonth(gridWith(1, QString()), kMarch, 2013);  // the 28 days shown go back
  EXPECT_EQ(entry(kFebruary, 29), (HolidayEntry{QStringLiteral("typed in 2012"), kUserHoliday}));
}

// Each change (an import stopped by an error too, one changing nothing not) is a step; a new one ends redo.
TEST_F(NationalHolidaysInTheCopyTest, UndoTakesBackOneChangeAtATimeAndAnotherChangeEndsRedo) {
  show(kMarch);
  copy.storeGridEdit(gridWith(2, QStringLiteral("mine")));
  copy.storeGridEdit(gridWith(2, QStringLiteral("mine")));
  EXPECT_THROW(copy.importNationalHolidays(importer, file("[1]\nm=5\nd=1\nname=x\n[2]\nexpr=1/0\n"), kYear, {}), Error);
  copy.removeNationalHolidays({});
  copy.setPicture(kHolidayPicture, QStringLiteral("icon.bmp"));
  copy.setFont(kWeekdayFont, ThemeFont{.size = 20});
  copy.setBackground(kMarch, QStringLiteral("march.jpg"));
  QList<int> months;
  while (copy.canUndo()) months << copy.undo();
  const int none = ThemeEditCopy::kNoMonth;
  EXPECT_EQ(months, (QList<int>{kMarch, none, none, none, none, kMarch}));
  copy.commit(theme.name, {});
  EXPECT_TRUE(theme.holidays[4][0].text.isEmpty() && theme.pictureHoliday != "icon.bmp" && theme.weekdayFont.size != 20 &&
              theme.backgrounds[kMarch].isEmpty());
  copy.redo();
  copy.setPicture(kLeftPicture, QStringLiteral("left.bmp"));
  EXPECT_FALSE(copy.canRedo());
  copy.load();
  EXPECT_FALSE(copy.canUndo());
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
