// The headless export's command line and its outputs.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "../support/program_folder.h"
#include "app/export/export_command.h"
#include "platform/errors/error.h"

namespace orvella::testing {
namespace {

QStringList words(const char* text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); }

TEST(ExportCommandLine, ReadsEveryOption) {
  const auto request = parseExportRequest(words("--export out.pdf --year 2011 --month 3-5 --theme t.hol --dpi 300"), 2027);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->output, QStringLiteral("out.pdf"));
  EXPECT_EQ(request->year, 2011);
  EXPECT_EQ(request->firstMonth, 3);
  EXPECT_EQ(request->lastMonth, 5);
  EXPECT_EQ(request->themeFile, QStringLiteral("t.hol"));
  EXPECT_EQ(request->dpi, 300);
  EXPECT_FALSE(parseExportRequest(words("--quit-when-shown"), 2027));
  EXPECT_EQ(parseExportRequest(words("--export a.json"), 2027)->year, 2027);
}

TEST(ExportCommandLine, RefusesWhatItCannotDo) {
  for (const char* bad : {"--export out.txt", "--export a.pdf --month 13", "--export a.pdf --month 5-3",
                          "--export a.pdf --year twenty", "--export a.pdf --dpi 5", "--export a.pdf --color red",
                          "--export"})
    EXPECT_THROW(parseExportRequest(words(bad), 2027), Error) << bad;
}

TEST(ExportCommandLine, SeveralMonthsGetNumberedImages) {
  EXPECT_EQ(pngFileForMonth(QStringLiteral("/x/cal.png"), 3, true), QStringLiteral("/x/cal-03.png"));
  EXPECT_EQ(pngFileForMonth(QStringLiteral("/x/cal.png"), 3, false), QStringLiteral("/x/cal.png"));
}

class ExportRunTest : public ::testing::Test {
 protected:
  ProgramFolder program;
  QTemporaryDir out;
};

TEST_F(ExportRunTest, JsonHoldsOnePagePerMonth) {
  ExportRequest request{out.path() + QStringLiteral("/cal.json"), 2010, 1, 3, {}, 0};
  runExport(request, program.path());
  QFile file(request.output);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonArray pages = QJsonDocument::fromJson(file.readAll())[QStringLiteral("pages")].toArray();
  ASSERT_EQ(pages.size(), 3);
  EXPECT_EQ(pages[2][QStringLiteral("month")].toInt(), 3);
  EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("temp/holidays.ini"))));
}

TEST_F(ExportRunTest, ImagesAndPdfAreWritten) {
  runExport(ExportRequest{out.path() + QStringLiteral("/cal.png"), 2010, 1, 2, {}, 40}, program.path());
  const QImage january(out.path() + QStringLiteral("/cal-01.png"));
  EXPECT_EQ(january.width(), qRound(297 / 25.4 * 40));
  EXPECT_TRUE(QFileInfo::exists(out.path() + QStringLiteral("/cal-02.png")));
  runExport(ExportRequest{out.path() + QStringLiteral("/cal.pdf"), 2010, 12, 12, {}, 0}, program.path());
  QFile pdf(out.path() + QStringLiteral("/cal.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(ExportRunTest, AMissingThemeIsAnError) {
  EXPECT_THROW(runExport(ExportRequest{out.path() + QStringLiteral("/a.json"), 2010, 1, 1,
                                       out.path() + QStringLiteral("/none.hol"), 0},
                         program.path()),
               Error);
}

}  // namespace
}  // namespace orvella::testing
