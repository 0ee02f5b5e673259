// The program's command line: the window, the export, help and version, and what each bad value says.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/export/command_line.h"
#include "platform/errors/error.h"
#include "tests/support/files.h"

namespace orvella::testing {
namespace {

CommandLine parse(const QString& line) {
  QStringList arguments{QStringLiteral("orvella")};
  if (!line.isEmpty()) arguments += line.split(QLatin1Char(' '));
  return parseCommandLine(arguments);
}

// The message of the error that the command line raises, or "" when it raises none.
QString complaint(const QString& line) {
  try {
    parse(line);
  } catch (const Error& e) {
    return e.message();
  }
  return {};
}

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(writeFile(in("t.hol")) && writeFile(in("a.hln")) && writeFile(in("b.hln")));
  }
  QString in(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  QTemporaryDir dir;
};

TEST_F(CommandLineTest, ReadsEveryOptionOfTheExport) {
  const CommandLine line =
      parse(QStringLiteral("--export out.pdf --year 2011 --month 3-5 --theme %1 --dpi 300 --paper Letter "
                           "--holidays %2 --holidays %3 --lang english --bleed 3.5 --marks")
                .arg(in("t.hol"), in("b.hln"), in("a.hln")));
  ASSERT_EQ(line.action, CommandLine::Action::Export);
  const ExportRequest& request = line.exportRequest;
  EXPECT_EQ(request.output, QStringLiteral("out.pdf"));
  EXPECT_EQ(request.year, 2011);
  EXPECT_EQ(request.firstMonth, 3);
  EXPECT_EQ(request.lastMonth, 5);
  EXPECT_EQ(request.themeFile, in("t.hol"));
  EXPECT_EQ(request.dpi, 300);
  EXPECT_EQ(request.paper, QPageSize::Letter);
  EXPECT_EQ(request.holidayFiles, (QStringList{in("b.hln"), in("a.hln")}));  // in the order given
  EXPECT_EQ(request.language, QStringLiteral("english"));
  EXPECT_EQ(request.bleedMm, 3.5);
  EXPECT_TRUE(request.cropMarks);
  EXPECT_FALSE(parse(QStringLiteral("--export a.pdf --year 1 --month 1")).exportRequest.cropMarks);
  EXPECT_EQ(parse(QStringLiteral("--export a.pdf --year 1 --month 1")).exportRequest.paper, QPageSize::A4);
  EXPECT_EQ(parse(QStringLiteral("--export=a.json --year=1 --month=12")).exportRequest.year, 1);
  EXPECT_EQ(parse(QStringLiteral("--export a.png --year 9999 --month 1-12")).exportRequest.lastMonth, 12);
}

TEST_F(CommandLineTest, TheWindowTakesAThemeFileAndQtsOwnOptions) {
  const CommandLine line =
      parse(QStringLiteral("-platform offscreen --quit-when-shown -style=fusion -reverse a.hol"));
  EXPECT_EQ(line.action, CommandLine::Action::Window);
  EXPECT_TRUE(line.quitWhenShown);
  EXPECT_EQ(line.platform, QStringLiteral("offscreen"));
  EXPECT_EQ(line.themeFiles, QStringList{QStringLiteral("a.hol")});
  EXPECT_EQ(parse(QStringLiteral("/x/theme.hol")).themeFiles, QStringList{QStringLiteral("/x/theme.hol")});
  EXPECT_FALSE(parse(QString()).quitWhenShown);
}

// The desktop entry's actions: where the window starts, alone or with the theme to show.
TEST_F(CommandLineTest, TheWindowStartsWithANewThemeOrTheYearPreview) {
  EXPECT_EQ(parse(QString()).start, CommandLine::Start::MainWindow);
  EXPECT_EQ(parse(QStringLiteral("--new")).start, CommandLine::Start::NewTheme);
  const CommandLine year = parse(QStringLiteral("--year-preview /x/theme.hol"));
  EXPECT_EQ(year.start, CommandLine::Start::YearPreview);
  EXPECT_EQ(year.themeFiles, QStringList{QStringLiteral("/x/theme.hol")});
  const std::pair<const char*, QStringList> refused[] = {
      {"--new --year-preview", {"--new", "--year-preview"}},
      {"--new /x/theme.hol", {"--new", "/x/theme.hol"}},
      {"--export a.pdf --year 2010 --month 1 --new", {"--new", "export"}},
      {"--export a.pdf --year 2010 --month 1 --year-preview", {"--year-preview", "export"}},
  };
  for (const auto& [line, named] : refused) {
    const QString message = complaint(QString::fromLatin1(line));
    for (const QString& part : named) EXPECT_TRUE(message.contains(part)) << line << " says: " << message.toStdString();
  }
}

TEST_F(CommandLineTest, HelpAndVersionNeedNoWindow) {
  for (const char* option : {"--help", "-h", "--export a.pdf --help"}) {
    const CommandLine line = parse(QString::fromLatin1(option));
    EXPECT_EQ(line.action, CommandLine::Action::Help) << option;
    for (const char* named : {"--export", "--year", "--month", "--theme", "--dpi", "--paper", "--version", "orvella"})
      EXPECT_TRUE(line.text.contains(QLatin1String(named))) << named;
    EXPECT_FALSE(line.text.contains(QLatin1String("quit-when-shown")));
  }
  const CommandLine version = parse(QStringLiteral("--version"));
  EXPECT_EQ(version.action, CommandLine::Action::Version);
  EXPECT_TRUE(version.text.startsWith(QStringLiteral("Orvella 1.33"))) << version.text.toStdString();
}

// Every complaint names the option and the value it is about, and each value is checked before any
// work starts.
TEST_F(CommandLineTest, EveryComplaintNamesTheOptionAndTheValue) {
  const std::pair<QString, QStringList> cases[] = {
      {QStringLiteral("--export a.pdf --year 2010 --month -1"), {"--month", "-1"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 13"), {"--month", "13"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 5-13"), {"--month", "5-13"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1-2-3"), {"--month", "1-2-3"}},
      {QStringLiteral("--export a.pdf --year 0 --month 1"), {"--year", "0"}},
      {QStringLiteral("--export a.pdf --year 10000 --month 1"), {"--year", "10000"}},
      {QStringLiteral("--export a.pdf --year twenty --month 1"), {"--year", "twenty"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --dpi 5"), {"--dpi", "5"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --bleed -1"), {"--bleed", "-1"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --bleed nan"), {"--bleed", "nan"}},
      {QStringLiteral("--export out.txt --year 2010 --month 1"), {"--export", "out.txt"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --paper a5"), {"--paper", "a5", "letter"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --lang klingon"), {"--lang", "klingon", "espanol"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --theme %1").arg(dir.path()),
       {"--theme", dir.path()}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --theme %1").arg(in("none.hol")),
       {"--theme", in("none.hol")}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --holidays %1").arg(in("none.hln")),
       {"--holidays", in("none.hln")}},
      {QStringLiteral("--export a.pdf --month 1"), {"--year"}},
      {QStringLiteral("--export a.pdf --year 2010"), {"--month"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 --color red"), {"color"}},
      {QStringLiteral("--colour red"), {"colour"}},
      {QStringLiteral("-platform offscreen -style=fusion theme.hol --verbose"), {"verbose"}},
      {QStringLiteral("--export a.pdf --year 2010 --month 1 stray"), {"stray"}},
      {QStringLiteral("--export a.pdf --year 2010 --year 2011 --month 1"), {"--year", "2010", "2011"}},
      {QStringLiteral("--export"), {"--export"}},
      {QStringLiteral("--year 2010"), {"--year", "--export"}},
  };
  for (const auto& [line, named] : cases) {
    const QString message = complaint(line);
    EXPECT_FALSE(message.isEmpty()) << line.toStdString();
    for (const QString& part : named)
      EXPECT_TRUE(message.contains(part)) << line.toStdString() << " says: " << message.toStdString();
  }
}

}  // namespace
}  // namespace orvella::testing
