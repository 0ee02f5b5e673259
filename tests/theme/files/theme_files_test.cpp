// New, Open and Save of themes through the working directory, and what survives a round trip.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTemporaryDir>


#include "../../support/damaged_archive.h"
#include "../../support/file_size_limit.h"
#include "../../support/files.h"
#include "../../support/program_folder.h"
#include "calendar/composition/month_composition.h"
#include "calendar/composition/month_names.h"
#include "calendar/page/page_json.h"
#include "calendar/namedays/name_days.h"
#include "dates/line_expansion.h"
#include "platform/errors/error.h"
#include "theme/archive/backup_dialogs.h"
#include "i18n/language/language_choice.h"
#include "theme/files/recent_themes.h"
#include "theme/files/theme_files.h"

namespace orvella::testing {
namespace {

class ThemeFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BackupFileDialogs::reset();
    files.new_theme();
  }
  QString temp(const QString& name) const { return program.path(QStringLiteral("temp/") + name); }
  QString outside(const QString& name) const { return elsewhere.path() + QLatin1Char('/') + name; }
  QString picture(const QString& path, QColor color) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(color);
    EXPECT_TRUE(image.save(path, "BMP"));
    return path;
  }
  QStringList restoredNames(const QString& archive) {
    QTemporaryDir into;
    TBackupFile reader;
    reader.Restore(archive, into.path());
    return QDir(into.path()).entryList(QDir::Files);
  }

  ProgramFolder program;
  QTemporaryDir elsewhere;
  int year = 2010;
  Theme theme;
  ThemeFiles files{theme, program.path()};
};

TEST_F(ThemeFilesTest, NewThemeHasTheDefaultsAndItsPicturesInTheWorkingDirectory) {
  EXPECT_EQ(theme.name, QStringLiteral("Default"));
  EXPECT_EQ(theme.pictureHoliday, QStringLiteral("images/flower.wmf"));
  EXPECT_EQ(theme.pictureLeft, QStringLiteral("images/band_music.wmf"));
  EXPECT_EQ(theme.weekdayFont.name, QStringLiteral("SF Intellivised"));
  ASSERT_EQ(theme.holidays.size(), 12u);
  EXPECT_EQ(theme.holidays[1].size(), 29u);
  EXPECT_TRUE(QFileInfo::exists(temp(QStringLiteral("flower.wmf"))));
  EXPECT_TRUE(QFileInfo::exists(temp(QStringLiteral("band_music.wmf"))));
}

TEST_F(ThemeFilesTest, NewKeepsTheMonthBackgrounds) {
  theme.backgrounds[3] = QStringLiteral("/pictures/april.jpg");
  theme.name = QStringLiteral("Changed");
  files.new_theme();
  EXPECT_EQ(theme.backgrounds[3], QStringLiteral("/pictures/april.jpg"));
  EXPECT_EQ(theme.name, QStringLiteral("Default"));
}

TEST_F(ThemeFilesTest, ANewThemeSavedUnchangedHoldsOnlyItsSettings) {
  const QString archive = outside(QStringLiteral("plain.hol"));
  ASSERT_TRUE(files.save_theme(archive));
  EXPECT_EQ(restoredNames(archive), QStringList{QStringLiteral("holidays.ini")});
}

TEST_F(ThemeFilesTest, ACancelledSaveStillRewritesTheSettingsFile) {
  QFile::remove(files.settingsFile());
  EXPECT_FALSE(files.save_theme(QString()));
  EXPECT_TRUE(QFileInfo::exists(files.settingsFile()));
}

TEST_F(ThemeFilesTest, PicturesWithTheSameFilePartRestoreOneFileBothNamesUse) {
  theme.pictureHoliday = picture(outside(QStringLiteral("a/pic.bmp")), Qt::red);
  theme.pictureLeft = picture(outside(QStringLiteral("b/pic.bmp")), Qt::blue);
  const QString archive = outside(QStringLiteral("same.hol"));
  ASSERT_TRUE(files.save_theme(archive));
  files.new_theme();
  files.load_theme(archive);
  EXPECT_EQ(theme.pictureHoliday, temp(QStringLiteral("pic.bmp")));
  EXPECT_EQ(theme.pictureLeft, temp(QStringLiteral("pic.bmp")));
  EXPECT_EQ(QImage(temp(QStringLiteral("pic.bmp"))).pixelColor(0, 0), QColor(Qt::blue));  // the later one
}

TEST_F(ThemeFilesTest, APictureChosenInUpperCaseIsFoundAfterARoundTrip) {
  theme.pictureHoliday = picture(outside(QStringLiteral("Flower.BMP")), Qt::green);
  const QString archive = outside(QStringLiteral("case.hol"));
  ASSERT_TRUE(files.save_theme(archive));
  files.new_theme();
  files.load_theme(archive);
  EXPECT_TRUE(QFileInfo::exists(temp(QStringLiteral("flower.bmp"))));
  EXPECT_TRUE(QFileInfo::exists(theme.pictureHoliday)) << theme.pictureHoliday.toStdString();
  EXPECT_TRUE(theme.pictureHoliday.startsWith(program.path(QStringLiteral("temp/"))));
}

TEST_F(ThemeFilesTest, ASettingsFileThemeIsCopiedInWithTheLadybirdAndFlower) {
  QFile::remove(temp(QStringLiteral("flower.wmf")));
  const QString plain = outside(QStringLiteral("plain.hol"));
  writeFile(plain, "[1]\r\n1=Nowy Rok\x1en\r\n2=Mine\r\n[main]\r\nname=Plain\r\npicture_holiday=ladybug.wmf\r\n");
  files.load_theme(plain);
  EXPECT_EQ(theme.name, QStringLiteral("Plain"));
  EXPECT_EQ(theme.holidays[0][0], (HolidayEntry{QStringLiteral("Nowy Rok"), 'n'}));
  EXPECT_EQ(theme.holidays[0][1], (HolidayEntry{QStringLiteral("Mine"), 'u'}));
  EXPECT_EQ(readFile(temp(QStringLiteral("ladybug.wmf"))), readFile(program.path(QStringLiteral("bierdony.wmf"))));
  EXPECT_EQ(readFile(temp(QStringLiteral("flower.wmf"))), readFile(program.path(QStringLiteral("kwiatek.wmf"))));
  EXPECT_EQ(theme.pictureHoliday, temp(QStringLiteral("ladybug.wmf")));
}

TEST_F(ThemeFilesTest, ClosingDeletesTheSettingsFileButNotRestoredPictures) {
  theme.pictureLeft = picture(outside(QStringLiteral("left.bmp")), Qt::yellow);
  const QString archive = outside(QStringLiteral("close.hol"));
  ASSERT_TRUE(files.save_theme(archive));
  files.load_theme(archive);
  ASSERT_TRUE(QFileInfo::exists(files.settingsFile()));
  files.delete_temp();
  EXPECT_FALSE(QFileInfo::exists(files.settingsFile()));
  EXPECT_TRUE(QFileInfo::exists(temp(QStringLiteral("left.bmp"))));
}

TEST_F(ThemeFilesTest, DeletingNeverReachesOutsideTheWorkingDirectory) {
  const QString victim = program.path(QStringLiteral("victim.txt"));
  writeFile(victim, "keep me");
  const QString absolute = outside(QStringLiteral("absolute.txt"));
  writeFile(absolute, "keep me too");
  theme.pictureHoliday = QStringLiteral("../victim.txt");
  theme.pictureLeft = absolute;
  files.delete_temp();
  EXPECT_TRUE(QFileInfo::exists(victim));
  EXPECT_TRUE(QFileInfo::exists(absolute));
  theme.pictureLeft = QStringLiteral("..\\victim.txt");
  files.delete_temp();
  EXPECT_TRUE(QFileInfo::exists(victim));
}

// Pictures are looked for in the working directory alone: one a stranger's theme names elsewhere (a
// full path, "..", or a folder of the current one, the user's home when opened from a file manager)
// is left out with one notice, so that Save never packs it.
TEST_F(ThemeFilesTest, AStrangersThemeCannotMakeSavePackFilesFromElsewhere) {
  const QString secret = program.path(QStringLiteral("secret.txt"));
  writeFile(secret, "PRIVATE");
  const QString hostile = outside(QStringLiteral("hostile.hol"));
  writeFile(hostile, "[1]\r\n1=x\r\n[main]\r\npicture_holiday=../secret.txt\r\npicture_left=" +
                         secret.toUtf8() + "\r\n");
  const QString current = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
  for (const char* name : {"secret.txt", "left.wmf", "leak/secret.txt", "leak/left.wmf"})
    writeFile(outside(name), "PRIVATE");
  const QString archive = outside(QStringLiteral("shared.hol"));
  for (const QString& file : {hostile, QStringLiteral(ORVELLA_TEST_DATA "/theme_files/pictures_named_outside.hol")}) {
    files.load_theme(file);
    EXPECT_TRUE(theme.pictureHoliday.isEmpty() && theme.pictureLeft.isEmpty()) << files.notice().toStdString();
    ASSERT_TRUE(files.save_theme(archive));
    EXPECT_EQ(restoredNames(archive), QStringList{QStringLiteral("holidays.ini")});
  }
  EXPECT_TRUE(files.notice().endsWith("leak/secret.txt, leak\\left.wmf")) << files.notice().toStdString();
  QDir::setCurrent(current);
}

// A theme is known by what its file holds: archives of other tools that store "HOLIDAYS.INI", and
// settings files whose January has no keys, as Save writes a January without background or holiday.
TEST_F(ThemeFilesTest, TheSettingsAreFoundWhateverTheirStoredNameOrEmptyMonths) {
  files.load_theme(QStringLiteral(ORVELLA_TEST_DATA "/theme_files/settings_stored_in_capitals.hol"));
  EXPECT_EQ(theme.holidays[0][0], (HolidayEntry{QStringLiteral("PÓŁMETEK"), 'u'}));
  EXPECT_TRUE(QFileInfo(files.settingsFile()).isFile());
  const QString plain = outside(QStringLiteral("plain.hol"));
  writeFile(plain, "[1]\r\n[2]\r\n1=Mine\r\n[main]\r\nname=Saved\r\n");
  files.load_theme(plain);
  EXPECT_EQ(theme.name, QStringLiteral("Saved"));
  EXPECT_EQ(theme.holidays[1][0].text, QStringLiteral("Mine"));
}

// A pipe, which would stop the program, is refused by name; an archive larger than any settings file
// still opens.
TEST_F(ThemeFilesTest, APipeIsRefusedAndAHugeArchiveOpens) {
  const QString pipe = outside(QStringLiteral("pipe.hol"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  try {
    files.load_theme(pipe);
    ADD_FAILURE() << "a pipe opened";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains(pipe + "” nie jest zwykłym")) << e.message().toStdString();
  }
  QByteArray noise(5 << 20, '\0');
  QRandomGenerator(5).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
  theme.pictureLeft = outside(QStringLiteral("noise.bmp"));
  writeFile(theme.pictureLeft, noise);
  const QString big = outside(QStringLiteral("big.hol"));
  ASSERT_TRUE(files.save_theme(big) && QFileInfo(big).size() > 4 << 20);
  EXPECT_TRUE(files.load_theme(big));
  EXPECT_EQ(readFile(theme.pictureLeft), noise);
}

TEST_F(ThemeFilesTest, NewOpenAndSaveWaitWhileAnArchiveIsWritten) {
  // The window stays usable while an archive is written; a second request must not run inside it.
  theme.pictureLeft = picture(outside(QStringLiteral("big.bmp")), Qt::red);
  const QString first = outside(QStringLiteral("first.hol"));
  const QString second = outside(QStringLiteral("second.hol"));
  int nested = 0;
  files.archive().OnProgress = [&](const QString&, int, bool&) {
    if (nested++) return;
    EXPECT_FALSE(files.save_theme(second));
    files.load_theme(first);
    files.new_theme();
  };
  ASSERT_TRUE(files.save_theme(first));
  files.archive().OnProgress = nullptr;
  EXPECT_FALSE(QFileInfo::exists(second));
  EXPECT_EQ(restoredNames(first).size(), 2);
  EXPECT_EQ(theme.pictureLeft, outside(QStringLiteral("big.bmp")));
}

TEST_F(ThemeFilesTest, AFailedOpenLeavesTheThemeAndTheWorkingDirectoryAsTheyWere) {
  theme.holidays[1][28] = HolidayEntry{QStringLiteral("Mine"), 'u'};
  files.save_theme(QString());  // the working directory's settings file
  writeFile(outside(QStringLiteral("junk.hol")), "this is no archive at all");
  writeFile(outside(QStringLiteral("colour.hol")), "[1]\r\n1=x\r\n[font_holiday]\r\ncolor=nonsense\r\n");
  const Theme before = theme;
  const QDir working(program.path(QStringLiteral("temp")));
  const QStringList entries = working.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  const QByteArray settings = readFile(files.settingsFile());
  for (const char* name : {"junk.hol", "colour.hol", "missing.hol"}) {
    EXPECT_THROW(files.load_theme(outside(QLatin1String(name))), Error) << name;
    EXPECT_EQ(theme.holidays, before.holidays) << name;
    EXPECT_EQ(theme.holidayFont, before.holidayFont) << name;
    EXPECT_EQ(working.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), entries) << name;
    EXPECT_EQ(readFile(files.settingsFile()), settings) << name;
  }
}

TEST_F(ThemeFilesTest, AnIncompleteArchiveLeavesTheOldArchiveAsItWas) {
  const QString archive = outside(QStringLiteral("keep.hol"));
  ASSERT_TRUE(files.save_theme(archive));
  const QByteArray before = readFile(archive);
  theme.name = QStringLiteral("Changed");
  theme.pictureLeft = picture(outside(QStringLiteral("big.bmp")), Qt::red);
  files.archive().OnProgress = [](const QString& name, int, bool& go) { go = name.isEmpty(); };
  EXPECT_FALSE(files.save_theme(archive));
  files.archive().OnProgress = nullptr;
  EXPECT_EQ(readFile(archive), before);
  EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // keep.hol, big.bmp
}

TEST_F(ThemeFilesTest, ATargetThatCannotBeReplacedIsReportedAndNothingIsLeftBehind) {
  const QString folder = outside(QStringLiteral("taken.hol"));
  writeFile(folder + QStringLiteral("-x"), "");
  QDir().mkpath(folder + QStringLiteral("/inside"));
  try {
    files.save_theme(folder);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + folder);
  }
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // only taken.hol-x
}

TEST_F(ThemeFilesTest, AnUnwritableSettingsFileStopsSaveAndKeepsTheArchive) {
  const QString archive = outside(QStringLiteral("keep.hol"));
  ASSERT_TRUE(files.save_theme(archive));
  const QByteArray before = readFile(archive);
  QDir(program.path(QStringLiteral("temp"))).removeRecursively();
  writeFile(program.path(QStringLiteral("temp")), "a file where the folder should be");
  try {
    files.save_theme(archive);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + files.settingsFile());
  }
  EXPECT_EQ(readFile(archive), before);
}

// Whatever goes wrong inside an archive reaches whoever opened or saved it, as an error with the
// archive's own message.
TEST_F(ThemeFilesTest, ArchiveErrorsReachTheCaller) {
  theme.holidays[0][0] = HolidayEntry{QStringLiteral("Nowy Rok"), 'n'};
  const QString archive = outside(QStringLiteral("damaged.hol"));
  ASSERT_TRUE(files.save_theme(archive));
  ASSERT_TRUE(damageFirstBlock(archive));
  try {
    files.load_theme(archive);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Compression error"));
  }

  // An archive that cannot be written whole: the file system takes no file beyond a few kilobytes.
  const QString kept = outside(QStringLiteral("kept.hol"));
  ASSERT_TRUE(files.save_theme(kept));
  const QByteArray before = readFile(kept);
  QByteArray noise(64 * 1024, Qt::Uninitialized);  // does not compress
  QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
  writeFile(outside(QStringLiteral("noise.bmp")), noise);
  theme.pictureLeft = outside(QStringLiteral("noise.bmp"));
  FileSizeLimit limit(8 * 1024);
  try {
    files.save_theme(kept);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Błąd zapisu do archiwum"));
  }
  EXPECT_EQ(readFile(kept), before);
}

// Save puts the new archive in place by renaming: the old file's mode stays, and a new archive gets
// the mode any new file gets.
TEST_F(ThemeFilesTest, SaveKeepsTheArchivesModeAndANewOneFollowsTheUmask) {
  const QString archive = outside(QStringLiteral("shared.hol"));
  const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                        QFile::ReadGroup | QFile::ReadOther;
  const mode_t before = ::umask(022);
  EXPECT_TRUE(files.save_theme(archive));
  EXPECT_EQ(QFile::permissions(archive), everyone);
  const auto group = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                     QFile::ReadGroup | QFile::WriteGroup;
  ASSERT_TRUE(QFile::setPermissions(archive, group));
  EXPECT_TRUE(files.save_theme(archive));
  EXPECT_EQ(QFile::permissions(archive), group);
  ::umask(077);
  EXPECT_TRUE(files.save_theme(outside(QStringLiteral("private.hol"))));
  EXPECT_EQ(QFile::permissions(outside(QStringLiteral("private.hol"))),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
  ::umask(before);
}

// Everything a user sets survives Save and Open, and every month composes the same page afterwards.
TEST_F(ThemeFilesTest, AFullThemeRoundTripsAndComposesTheSamePages) {
  for (int m = 0; m < 12; ++m) {
    theme.holidays[m][0] = HolidayEntry{QStringLiteral("*Święto %1/linia").arg(m + 1), 'n'};
    theme.holidays[m][m + 2] = HolidayEntry{QStringLiteral("Własne @_age|1990"), 'u'};
  }
  theme.holidayFont = ThemeFont{QStringLiteral("Liberation Serif"), 40, 0x0000FF, true, false, false, false};
  theme.weekdayFont = ThemeFont{QStringLiteral("DejaVu Sans"), 38, 0x800000, false, true, false, false};
  theme.userHolidayFont = ThemeFont{QStringLiteral("Liberation Sans"), 36, 0x008000, false, false, true, false};
  theme.forenamesFont = ThemeFont{QStringLiteral("Liberation Mono"), 9, 0x00123456, false, false, false, true};
  theme.name = QStringLiteral("Pełny");
  theme.pictureHoliday = picture(outside(QStringLiteral("icons/star.bmp")), Qt::red);
  theme.pictureLeft = picture(outside(QStringLiteral("margin/strip.bmp")), Qt::darkGreen);
  theme.backgrounds[0] = picture(outside(QStringLiteral("bg/jan.bmp")), Qt::cyan);
  theme.backgrounds[5] = picture(outside(QStringLiteral("bg/jun.bmp")), Qt::magenta);
  theme.backgrounds[11] = picture(outside(QStringLiteral("bg/dec.bmp")), Qt::gray);
  theme.sundayLikeWeekday = true;
  theme.drawFrames = true;
  theme.weekNumbers = true;

  NameDays nameDays;
  nameDays.load_forenames(program.path());
  auto composeAll = [&] {
    QStringList pages;
    PageComposer composer(
        PageSources{nameDays, [](const QString& held) { return QFileInfo(held).isFile() ? held : QString(); }});
    for (int m = 1; m <= 12; ++m) {
      QJsonObject json = pageToJson(composer.compose(MonthRequest{snapshotOf(theme), year, m, {}}).page, year, m);
      pages << QString::fromUtf8(QJsonDocument(json).toJson());
    }
    return pages;
  };

  // Pictures are restored into the working directory: compare what a page shows, not where from.
  const QString archive = outside(QStringLiteral("full.hol"));
  ASSERT_TRUE(files.save_theme(archive));
  const Theme saved = theme;
  theme = Theme{};
  files.new_theme();
  files.load_theme(archive);

  EXPECT_EQ(theme.holidays, saved.holidays);
  EXPECT_EQ(theme.holidayFont, saved.holidayFont);
  EXPECT_EQ(theme.weekdayFont, saved.weekdayFont);
  EXPECT_EQ(theme.userHolidayFont, saved.userHolidayFont);
  EXPECT_EQ(theme.forenamesFont, saved.forenamesFont);
  EXPECT_EQ(theme.name, saved.name);
  EXPECT_EQ(theme.backgrounds, saved.backgrounds);
  EXPECT_EQ(theme.sundayLikeWeekday, saved.sundayLikeWeekday);
  EXPECT_EQ(theme.withoutForenames, saved.withoutForenames);
  EXPECT_EQ(theme.drawFrames, saved.drawFrames);
  EXPECT_EQ(theme.weekNumbers, saved.weekNumbers);
  EXPECT_EQ(theme.pictureHoliday, temp(QStringLiteral("star.bmp")));
  EXPECT_EQ(theme.pictureLeft, temp(QStringLiteral("strip.bmp")));
  EXPECT_EQ(readFile(theme.pictureHoliday), readFile(saved.pictureHoliday));

  const QStringList reopened = composeAll();
  Theme reopenedTheme = theme;
  theme = saved;
  QStringList original = composeAll();
  // The two picture paths are the only difference a page may show.
  for (QString& page : original)
    page.replace(saved.pictureHoliday, reopenedTheme.pictureHoliday).replace(saved.pictureLeft, reopenedTheme.pictureLeft);
  EXPECT_EQ(reopened, original);
}

// The recent themes in config.ini, beside the language, for the next run and other copies.
TEST(RecentThemesTest, TheLastEightNewestFirstEachOnceBesideTheLanguage) {
  QTemporaryDir folder;
  const QString config = folder.filePath(QStringLiteral("settings/config.ini"));
  language::rememberLanguage(config, QStringLiteral("espanol"));
  auto path = [&folder](const QString& name) { return folder.filePath(name); };
  // Names that config.ini must not bend: blanks at the ends, quotes, letters of no 8-bit code page.
  const QStringList names{"t1", "t2", "t3", "t4", "t5", "t6", "t7", " blank ", "\"quoted\"", "Ελληνικά & 中文"};
  for (const QString& name : names) RecentThemes(config).add(path(name));
  RecentThemes(config).add(path("t5"));
  RecentThemes(config).add(path("line\nbreak"));
  RecentThemes(config).remove(path("t6"));
  const QStringList expected{path("t5"), path(names[9]), path(names[8]), path(names[7]), path("t7"), path("t4"), path("t3")};
  EXPECT_EQ(RecentThemes(config).files(), expected);
  EXPECT_EQ(language::rememberedLanguage(config), QStringLiteral("espanol"));
}

}  // namespace
}  // namespace orvella::testing
