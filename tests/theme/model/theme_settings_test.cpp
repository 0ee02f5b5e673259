// The theme's settings file: New defaults, Open, Save and their round trip through holidays.ini.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/errors/error.h"
#include "theme/model/holiday_table.h"
#include "theme/model/theme_settings.h"
#include "tests/support/files.h"

using namespace orvella;

namespace {

const QChar kSep(30);

class ThemeSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.isValid());
    QDir(program_.path()).mkdir("temp");
    for (const char* name : {"flower.wmf", "band_music.wmf"}) touch(name);  // the pictures New leaves
  }

  QString workingDir() const { return program_.filePath("temp"); }
  QString settingsPath() const { return program_.filePath("temp/holidays.ini"); }

  void touch(const QString& name) { ASSERT_TRUE(orvella::testing::writeFile(QDir(workingDir()).filePath(name))); }
  void writeSettings(const QByteArray& bytes) { ASSERT_TRUE(orvella::testing::writeFile(settingsPath(), bytes)); }
  QByteArray settingsBytes() const { return orvella::testing::readFile(settingsPath()); }

  void save(const Theme& theme) {
    IniFile ini(settingsPath());
    writeThemeSettings(theme, ini);
    ini.flush();
  }

  Theme open(QStringList* leftOut = nullptr) {
    Theme theme;
    readThemeSettings(theme, IniFile(settingsPath()), workingDir(), leftOut);
    return theme;
  }
  QString inWorkingDir(const QString& name) const { return QDir(workingDir()).absoluteFilePath(name); }

  QTemporaryDir program_;
};

Theme sampleTheme() {
  Theme theme;
  resetTables(theme);
  theme.holidays[0][0] = {"Nowy Rok", kNationalHoliday};
  theme.holidays[1][28] = {"29 lutego", kUserHoliday};  // kept whatever the year
  theme.holidays[0][4] = {"*Urodziny Ani @_wiek(1990)", kUserHoliday};
  theme.holidays[11][30] = {"Sylwester/bal", kUserHoliday};
  theme.holidays[4][2] = {"Bez rodzaju", kNoHolidayKind};
  theme.holidayFont = {"Times New Roman", 40, 0x0000FF, true, false, true, false};
  theme.weekdayFont = {"Courier", 36, 0x000080FF, false, true, false, true};
  theme.userHolidayFont = {"Verdana", 30, 0x80000008, true, true, true, true};
  theme.forenamesFont = {"Arial", 9, 0x00123456, false, false, false, false};
  theme.name = QString::fromUtf8("Rodzinny – święta");
  theme.pictureHoliday = QStringLiteral("images/flower.wmf");
  theme.pictureLeft = QStringLiteral("images/band_music.wmf");
  theme.backgrounds[0] = QStringLiteral("/home/ania/zima.jpg");
  theme.backgrounds[6] = QStringLiteral("C:\\Obrazy\\lato.bmp");
  theme.sundayLikeWeekday = true;
  theme.withoutForenames = false;
  theme.drawFrames = true;
  theme.weekNumbers = true;
  return theme;
}

}  // namespace

TEST_F(ThemeSettings, SavedThemeOpensAsTheSameTheme) {
  const Theme saved = sampleTheme();
  save(saved);
  const Theme opened = open();

  HolidayTable expected = saved.holidays;
  expected[4][2].kind = kUserHoliday;  // nothing after character 30 reads as a user holiday
  EXPECT_EQ(opened.holidays, expected);
  EXPECT_EQ(opened.holidayFont, saved.holidayFont);
  EXPECT_EQ(opened.weekdayFont, saved.weekdayFont);
  EXPECT_EQ(opened.userHolidayFont, saved.userHolidayFont);
  EXPECT_EQ(opened.forenamesFont, saved.forenamesFont);
  EXPECT_EQ(opened.name, saved.name);
  EXPECT_EQ(opened.backgrounds, saved.backgrounds);
  EXPECT_EQ(opened.pictureHoliday, inWorkingDir("flower.wmf"));
  EXPECT_EQ(opened.pictureLeft, inWorkingDir("band_music.wmf"));
  EXPECT_TRUE(opened.sundayLikeWeekday);
  EXPECT_FALSE(opened.withoutForenames);
  EXPECT_TRUE(opened.drawFrames);
  EXPECT_TRUE(opened.weekNumbers);
  ASSERT_EQ(opened.holidaysEditCopy.size(), 12u);
  EXPECT_EQ(opened.holidaysEditCopy[0].size(), 31u);
  EXPECT_EQ(opened.holidaysEditCopy[0][0], HolidayEntry());
}

TEST_F(ThemeSettings, SavedFileHoldsEveryKeyInItsOrder) {
  save(sampleTheme());
  const QByteArray bytes = settingsBytes();
  const QByteArray expectedStart =
      "[1]\r\nbg=/home/ania/zima.jpg\r\n1=Nowy Rok\x1en\r\n5=*Urodziny Ani @_wiek(1990)\x1eu\r\n"
      "[2]\r\n29=29 lutego\x1eu\r\n"
      "[5]\r\n3=Bez rodzaju\x1e\r\n"
      "[7]\r\nbg=C:\\Obrazy\\lato.bmp\r\n"
      "[12]\r\n31=Sylwester/bal\x1eu\r\n"
      "[font_holiday]\r\nname=Times New Roman\r\nsize=40\r\ncolor=clRed\r\nstyle_bold=1\r\n"
      "style_italic=0\r\nstyle_underline=1\r\nstyle_strikeout=0\r\n"
      "[font_weekday]\r\nname=Courier\r\nsize=36\r\ncolor=$000080FF\r\nstyle_bold=0\r\n"
      "style_italic=1\r\nstyle_underline=0\r\nstyle_strikeout=1\r\n"
      "[font_user_holiday]\r\nname=Verdana\r\nsize=30\r\ncolor=clWindowText\r\nstyle_bold=1\r\n"
      "style_italic=1\r\nstyle_underline=1\r\nstyle_strikeout=1\r\n"
      "[font_forenames]\r\nname=Arial\r\nsize=9\r\ncolor=$00123456\r\nstyle_bold=0\r\n"
      "style_italic=0\r\nstyle_underline=0\r\nstyle_strikeout=0\r\n"
      "[main]\r\nname=Rodzinny \x96 \x9Cwi\xEAta\r\npicture_holiday=images/flower.wmf\r\n"
      "picture_left=images/band_music.wmf\r\nversion=1.33\r\nsunday_like_weekday=1\r\n"
      "without_forenames=0\r\ndraw_frames=1\r\nweek_numbers=1\r\n";
  EXPECT_EQ(bytes, expectedStart);
}

// Our page keys are written only when chosen, so a theme without them saves as before; a value they
// cannot hold reads as the default.
TEST_F(ThemeSettings, PageKeysRoundTripAndUnknownValuesReadAsDefaults) {
  struct Case {
    const char* main;
    int firstWeekday;
    BackgroundFit fit;
  };
  const Case cases[] = {
      {"first_weekday=7\r\nbackground_fit=fill\r\n", 7, BackgroundFit::Fill},
      {"first_weekday=6\r\nbackground_fit= FIT\r\n", 6, BackgroundFit::Fit},
      {"first_weekday=3\r\nbackground_fit=zoom\r\n", 1, BackgroundFit::Stretch},
      {"first_weekday=x\r\nbackground_fit=stretch\r\n", 1, BackgroundFit::Stretch},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.main);
    writeSettings(QByteArray("[main]\r\n") + c.main);
    const Theme read = open();
    QFile::remove(settingsPath());
    save(read);
    const Theme again = open();
    EXPECT_EQ(again.firstWeekday, c.firstWeekday);
    EXPECT_EQ(again.backgroundFit, c.fit);
    EXPECT_EQ(settingsBytes().contains("first_weekday"), c.firstWeekday != 1);
    EXPECT_EQ(settingsBytes().contains("background_fit"), c.fit != BackgroundFit::Stretch);
  }
}

TEST_F(ThemeSettings, DayValuesGiveTextAndKind) {
  writeSettings(
      "[1]\r\n1=Nowy Rok\r\n2=Nowy Rok\x1en\r\n3=Trzech\x1eu\r\n5=\r\n05=leading zero\r\n"
      "7=text\x1e\x1en\r\n8=\x1en\r\n32=beyond\r\n"
      "[2]\r\n29=leap day\r\n30=never\r\n");
  const Theme theme = open();
  const HolidayRow& january = theme.holidays[0];
  EXPECT_EQ(january[0], (HolidayEntry{"Nowy Rok", kUserHoliday}));
  EXPECT_EQ(january[1], (HolidayEntry{"Nowy Rok", kNationalHoliday}));
  EXPECT_EQ(january[2], (HolidayEntry{"Trzech", kUserHoliday}));
  EXPECT_EQ(january[3], HolidayEntry());                    // no key at all
  EXPECT_EQ(january[4], (HolidayEntry{"", kUserHoliday}));  // key present, value empty
  EXPECT_EQ(january[6], (HolidayEntry{"text", kNoHolidayKind}));
  EXPECT_EQ(january[7], (HolidayEntry{"", kNationalHoliday}));
  EXPECT_EQ(january.size(), 31u);
  EXPECT_EQ(theme.holidays[1].size(), 29u);
  EXPECT_EQ(theme.holidays[1][28], (HolidayEntry{"leap day", kUserHoliday}));
}

// The kind is one byte of the file's code page; a letter beyond Latin-1 is kept as it was read.
TEST_F(ThemeSettings, AKindLetterOfTheCodePageSurvivesOpenAndSave) {
  writeSettings("[1]\r\n5=Imieniny\x1e\xB9\r\n");
  Theme theme = open();
  EXPECT_EQ(theme.holidays[0][4], (HolidayEntry{"Imieniny", char(0xB9)}));
  save(theme);
  EXPECT_TRUE(settingsBytes().contains("5=Imieniny\x1e\xB9\r\n")) << settingsBytes().constData();
}

TEST_F(ThemeSettings, SaveKeepsUnknownKeysOutsideMonthsAndDropsThemInsideMonths) {
  writeSettings(
      "; made by hand\r\n[main]\r\nname=Old\r\nauthor=Ania\r\n"
      "[font_holiday]\r\nname=Arial\r\nweight=700\r\n"
      "[3]\r\n8=Dzien Kobiet\x1eu\r\nnote=hand made\r\n");
  Theme theme = open();
  theme.holidays[2][7] = {};
  save(theme);
  const IniFile ini(settingsPath());
  EXPECT_EQ(ini.readString("main", "author", ""), "Ania");
  EXPECT_EQ(ini.readString("font_holiday", "weight", ""), "700");
  EXPECT_FALSE(ini.hasSection("3"));
  EXPECT_TRUE(settingsBytes().startsWith("; made by hand\r\n[main]\r\nname=Old\r\nauthor=Ania\r\n"));
}

TEST_F(ThemeSettings, ColoursByNameOrHexAndBadColourStopsTheRead) {
  writeSettings(
      "[font_holiday]\r\nname=Impact\r\nsize=20\r\ncolor=clMaroon\r\nstyle_bold=1\r\n"
      "[font_weekday]\r\nname=Georgia\r\nsize=22\r\ncolor=nonsense\r\nstyle_italic=1\r\n"
      "[main]\r\nname=Never read\r\n");
  Theme theme = sampleTheme();
  const Theme before = theme;
  try {
    readThemeSettings(theme, IniFile(settingsPath()), workingDir());
    FAIL() << "a bad colour was accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "'nonsense' is not a valid integer value");
  }
  // Read before the bad colour: months, the holiday font, the weekday font's name and size.
  EXPECT_EQ(theme.holidays[0][0], HolidayEntry());
  EXPECT_EQ(theme.holidayFont, (ThemeFont{"Impact", 20, 0x000080, true, false, false, false}));
  EXPECT_EQ(theme.weekdayFont.name, "Georgia");
  EXPECT_EQ(theme.weekdayFont.size, 22);
  EXPECT_FALSE(theme.weekdayFont.italic);
  // Not reached.
  EXPECT_EQ(theme.userHolidayFont, before.userHolidayFont);
  EXPECT_EQ(theme.name, before.name);
  EXPECT_EQ(theme.drawFrames, before.drawFrames);

  writeSettings("[font_holiday]\r\ncolor=$000080FF\r\n[font_weekday]\r\ncolor=0x10\r\n");
  const Theme hex = open();
  EXPECT_EQ(hex.holidayFont.color, 0x000080FFu);
  EXPECT_EQ(hex.weekdayFont.color, 0x10u);
}

TEST_F(ThemeSettings, OpenWithoutSettingsGivesTheOpenDefaults) {
  const Theme theme = open();
  EXPECT_EQ(theme.holidayFont,
            (ThemeFont{"SF Intellivised Outline", 46, clBlack, false, false, false, false}));
  EXPECT_EQ(theme.weekdayFont, (ThemeFont{"SF Intellivised", 46, clBlack, false, false, false, false}));
  EXPECT_EQ(theme.userHolidayFont, theme.holidayFont);
  EXPECT_EQ(theme.forenamesFont, (ThemeFont{"Arial", 10, clBlack, false, false, false, false}));
  EXPECT_EQ(theme.name, "Default");
  EXPECT_EQ(theme.pictureHoliday, inWorkingDir("flower.wmf"));
  EXPECT_EQ(theme.pictureLeft, inWorkingDir("band_music.wmf"));
  EXPECT_FALSE(theme.sundayLikeWeekday || theme.withoutForenames || theme.drawFrames || theme.weekNumbers);
  for (const QString& background : theme.backgrounds) EXPECT_TRUE(background.isEmpty());
}

TEST_F(ThemeSettings, PicturesInTheWorkingDirectoryAreHeldByFullPathAndSavedByName) {
  touch("flower.wmf");
  touch("Ladybug.WMF");
  writeSettings("[main]\r\npicture_holiday=flower.wmf\r\npicture_left=ladybug.wmf\r\n");
  Theme theme = open();
  EXPECT_EQ(theme.pictureHoliday, QDir(workingDir()).absoluteFilePath("flower.wmf"));
  EXPECT_EQ(theme.pictureLeft, QDir(workingDir()).absoluteFilePath("Ladybug.WMF"));

  save(theme);
  const IniFile ini(settingsPath());
  EXPECT_EQ(ini.readString("main", "picture_holiday", ""), "flower.wmf");
  EXPECT_EQ(ini.readString("main", "picture_left", ""), "Ladybug.WMF");

  // A name that is not there is left out and reported; an empty one is no picture to report.
  writeSettings("[main]\r\npicture_holiday=missing.wmf\r\npicture_left=\r\n");
  QStringList leftOut;
  theme = open(&leftOut);
  EXPECT_EQ(theme.pictureHoliday, "");
  EXPECT_EQ(theme.pictureLeft, "");
  EXPECT_EQ(leftOut, QStringList{"missing.wmf"});
}

TEST_F(ThemeSettings, NewReadsTheNewDefaultsAndKeepsBackgrounds) {
  Theme theme = sampleTheme();
  touch("flower.wmf");
  readThemeDefaults(theme, IniFile(settingsPath()));
  EXPECT_EQ(theme.backgrounds, sampleTheme().backgrounds);
  EXPECT_EQ(theme.pictureHoliday, "images/flower.wmf");
  EXPECT_EQ(theme.pictureLeft, "images/band_music.wmf");
  EXPECT_EQ(theme.name, "Default");
  EXPECT_EQ(theme.forenamesFont.size, 10);
  EXPECT_EQ(theme.holidays[1].size(), 29u);
  EXPECT_EQ(theme.holidays[0][0], HolidayEntry());
  EXPECT_EQ(theme.holidaysEditCopy[11].size(), 31u);
  EXPECT_FALSE(theme.weekNumbers);  // the sample had them on

  // Should a settings file be there after all, day values are taken whole.
  writeSettings("[1]\r\n1=Nowy Rok\x1en\r\n[main]\r\npicture_holiday=x.wmf\r\n");
  readThemeDefaults(theme, IniFile(settingsPath()));
  EXPECT_EQ(theme.holidays[0][0], (HolidayEntry{QStringLiteral("Nowy Rok") + kSep + "n", kNoHolidayKind}));
  EXPECT_EQ(theme.pictureHoliday, "x.wmf");
}

TEST(PictureSettingName, KeepsThePartAfterTheLastBackslashOrColon) {
  EXPECT_EQ(pictureSettingName("C:\\Orvella\\temp\\flower.wmf"), "flower.wmf");
  EXPECT_EQ(pictureSettingName("D:kwiatek.wmf"), "kwiatek.wmf");
  EXPECT_EQ(pictureSettingName("images/flower.wmf"), "images/flower.wmf");
  EXPECT_EQ(pictureSettingName("/opt/orvella/temp/flower.wmf"), "flower.wmf");
  EXPECT_EQ(pictureSettingName("flower.wmf"), "flower.wmf");
  EXPECT_EQ(pictureSettingName(""), "");
}
