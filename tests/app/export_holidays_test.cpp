// National holidays files in the headless export: added in order, errors named by file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/export/export_holidays.h"
#include "platform/errors/error.h"
#include "theme/model/holiday_table.h"

namespace orvella::testing {
namespace {

class ExportHolidaysTest : public ::testing::Test {
 protected:
  QString file(const char* name, const QByteArray& text) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    return path;
  }
  Theme themeFor(int year) {
    Theme theme;
    resetTables(theme, year);
    return theme;
  }

  QTemporaryDir dir;
  const QString polska = QStringLiteral(ORVELLA_SOURCE_DIR "/data/holidays/polska.hln");
};

TEST_F(ExportHolidaysTest, FilesAddUpInOrderIntoTheHolidayTable) {
  const QString eve = file("eve.hln", "[1]\nm=12\nd=24\nname=Eve\n[2]\nexpr=@_eastersunday/\n");
  Theme theme = themeFor(2025);
  const QStringList notes = addNationalHolidays(theme, {polska, eve}, 2025);
  EXPECT_EQ(theme.holidays[11][23], (HolidayEntry{QStringLiteral("Wigilia"), kNationalHoliday}));
  EXPECT_EQ(theme.holidays[0][0].text, QStringLiteral("Nowy Rok"));
  EXPECT_TRUE(theme.holidaysEditCopy[0][0].text.isEmpty()) << "only the table the page is composed from";
  ASSERT_EQ(notes.size(), 1);
  EXPECT_TRUE(notes.front().startsWith(eve + QStringLiteral(": ")));
  EXPECT_TRUE(notes.front().contains(QStringLiteral("[2] expr=@_eastersunday/")));

  theme = themeFor(2024);
  addNationalHolidays(theme, {polska, eve}, 2024);
  EXPECT_EQ(theme.holidays[11][23].text, QStringLiteral("Eve"));
}

TEST_F(ExportHolidaysTest, ErrorsNameTheFile) {
  const QString broken = file("broken.hln", "[1]\nm=1\nd=2\nname=kept\n[2]\nexpr=1/0\n");
  Theme theme = themeFor(2025);
  try {
    addNationalHolidays(theme, {broken, polska}, 2025);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), broken + QStringLiteral(": Floating point division by zero"));
  }
  EXPECT_EQ(theme.holidays[0][1].text, QStringLiteral("kept"));
  EXPECT_TRUE(theme.holidays[0][0].text.isEmpty()) << "the files after it are not read";
  EXPECT_THROW(addNationalHolidays(theme, {dir.filePath(QStringLiteral("none.hln"))}, 2025), Error);
  EXPECT_THROW(addNationalHolidays(theme, {dir.path()}, 2025), Error);
}

}  // namespace
}  // namespace orvella::testing
