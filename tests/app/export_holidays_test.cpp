// National holidays files in the headless export: the option, the order of the files, and errors that
// name the file and leave no output behind.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "../support/files.h"
#include "../support/program_copy.h"
#include "app/export/export_command.h"
#include "calendar/composition/year_holidays.h"
#include "platform/errors/error.h"
#include "theme/model/holiday_table.h"

namespace orvella::testing {
namespace {

class ExportHolidaysTest : public ::testing::Test {
 protected:
  QString file(const char* name, const QByteArray& text) {
    const QString path = out.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(writeFile(path, text));
    return path;
  }
  Theme themeFor(int year) {
    Theme theme;
    resetTables(theme);
    return theme;
  }
  // The composed December of the year as JSON text.
  QString december(int year, const QStringList& holidays) {
    const QString json = out.filePath(QStringLiteral("december.json"));
    runExport(ExportRequest{json, year, 12, 12, {}, 0, holidays}, program.path());
    return QString::fromUtf8(readFile(json));
  }

  ProgramFolder program;
  QTemporaryDir out;
  const QString polska = program.path(QStringLiteral("holidays/polska.hln"));
};

TEST_F(ExportHolidaysTest, FilesAddUpInOrderToTheComposedPage) {
  EXPECT_TRUE(december(2025, {polska}).contains(QStringLiteral("\"Wigilia\"")));
  EXPECT_FALSE(december(2024, {polska}).contains(QStringLiteral("\"Wigilia\"")));

  const QString eve = file("eve.hln", "[1]\nm=12\nd=24\nname=Eve\n[2]\nexpr=@_eastersunday/\n");
  Theme theme = themeFor(2025);
  const QStringList notes = addNationalHolidays(theme, {polska, eve}, 2025, program.path());
  EXPECT_EQ(theme.holidays[11][23], (HolidayEntry{QStringLiteral("Wigilia"), kNationalHoliday}));
  EXPECT_TRUE(theme.holidaysEditCopy[11][23].text.isEmpty()) << "only the table the page is composed from";
  ASSERT_EQ(notes.size(), 1);
  EXPECT_TRUE(notes.front().startsWith(eve + QStringLiteral(": ")));
  EXPECT_TRUE(notes.front().contains(QStringLiteral("[2] expr=@_eastersunday/")));
  theme = themeFor(2024);
  addNationalHolidays(theme, {polska, eve}, 2024, program.path());
  EXPECT_EQ(theme.holidays[11][23].text, QStringLiteral("Eve"));
}

TEST_F(ExportHolidaysTest, AnImportErrorEndsTheProgramWithoutOutput) {
  const QString broken = file("broken.hln", "[1]\nm=1\nd=2\nname=kept\n[2]\nexpr=1/0\n");
  Theme theme = themeFor(2025);
  try {
    addNationalHolidays(theme, {broken, polska}, 2025, program.path());
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), broken + QStringLiteral(": Floating point division by zero"));
  }
  EXPECT_EQ(theme.holidays[0][1].text, QStringLiteral("kept"));
  EXPECT_TRUE(theme.holidays[0][0].text.isEmpty()) << "the files after it are not read";

  const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
  auto run = [&](const QString& holidays) {
    return runProgram({"--export", pdf, "--year", "2025", "--month", "1", "--holidays", holidays});
  };
  const ProgramRun stopped = run(broken);
  EXPECT_EQ(stopped.status, 1);
  EXPECT_TRUE(stopped.err.contains(broken + QStringLiteral(": Floating point division by zero")))
      << stopped.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(pdf));

  // Anything but a holidays file is said to be none, rather than adding nothing in silence.
  for (const QString& other : {QStringLiteral("/bin/ls"), file("empty.hln", "")}) {
    const ProgramRun refused = run(other);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(other + QStringLiteral(": ")) &&
                refused.err.contains(QStringLiteral("[1]")))
        << refused.err.toStdString();
  }

  const ProgramRun skipped = run(file("skipped.hln", "[1]\nexpr=x\n"));
  EXPECT_EQ(skipped.status, 0);
  EXPECT_TRUE(skipped.err.contains(QStringLiteral("[1] expr=x"))) << skipped.err.toStdString();
  EXPECT_TRUE(QFileInfo::exists(pdf));
}

TEST_F(ExportHolidaysTest, ShippedFilesGoByTheirNames) {
  const ProgramRun list = runProgram({"--list-holidays"});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out.count(QLatin1Char('\n')), 33);
  EXPECT_TRUE(
      list.out.contains(QRegularExpression(QStringLiteral("(^|\n)united_kingdom +GB +United Kingdom\n"))))
      << list.out.toStdString();

  const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
  const QStringList export2025{"--export", pdf, "--year", "2025", "--month", "12", "--holidays"};
  EXPECT_EQ(runProgram(export2025 + QStringList{"Polska.hln"}).status, 0);
  const ProgramRun unknown = runProgram(export2025 + QStringList{"atlantis"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_TRUE(unknown.err.contains(QStringLiteral("atlantis: there is no such file")))
      << unknown.err.toStdString();
}

}  // namespace
}  // namespace orvella::testing
