// The headless export's command line and its outputs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "../support/program_folder.h"
#include "app/export/export_command.h"
#include "calendar/namedays/name_days.h"
#include "platform/errors/error.h"
#include "theme/files/theme_files.h"

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
  EXPECT_TRUE(QDir(program.path(QStringLiteral("temp"))).isEmpty());  // a running program's folder is untouched
}

TEST_F(ExportRunTest, ARunningProgramsThemeStaysAsItWas) {
  QFile settings(program.path(QStringLiteral("temp/holidays.ini")));
  ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
  settings.write("[main]\r\nname=Open in the window\r\n");
  settings.close();
  runExport(ExportRequest{out.path() + QStringLiteral("/cal.json"), 2010, 1, 1, {}, 0}, program.path());
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  EXPECT_EQ(settings.readAll(), QByteArray("[main]\r\nname=Open in the window\r\n"));
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

// PDF export with photo backgrounds: what the file holds, and what a failed export leaves behind.
class ExportPdfPhotoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ThemeFiles files(theme, program.path());
    files.new_theme(2010);
    theme.pictureLeft.clear();  // only the backgrounds put images into the file
    theme.pictureHoliday.clear();
    nameDays.load_forenames(program.path());
  }

  // A JPEG in the colour given, with a few specks so that it is no flat field.
  QString photo(const QString& name, QRgb color, QSize size = QSize(kPhotoWidth, kPhotoHeight)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    for (int y = 0; y < size.height(); y += 7) image.setPixel(y % size.width(), y, qRgb(255, 255, 255));
    const QString path = out.filePath(name);
    EXPECT_TRUE(image.save(path, "JPEG", 90));
    return path;
  }

  QString exportPdf(int firstMonth, int lastMonth, int dpi = 0) {
    const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
    exportMonths(ExportRequest{pdf, 2010, firstMonth, lastMonth, {}, dpi}, theme, nameDays, program.path());
    return pdf;
  }

  // Width and height of every image object in the file.
  static std::vector<QSize> embeddedImages(const QString& pdf) {
    QFile file(pdf);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression image(QStringLiteral("/Subtype /Image\\s*/Width (\\d+)\\s*/Height (\\d+)"));
    std::vector<QSize> sizes;
    for (auto it = image.globalMatch(text); it.hasNext();) {
      const auto match = it.next();
      sizes.emplace_back(match.captured(1).toInt(), match.captured(2).toInt());
    }
    return sizes;
  }

  static constexpr int kPhotoWidth = 600;
  static constexpr int kPhotoHeight = 400;
  ProgramFolder program;
  QTemporaryDir out;
  Theme theme;
  NameDays nameDays;
};

TEST_F(ExportPdfPhotoTest, ABackgroundSharedByMonthsIsEmbeddedOnce) {
  // Large enough to be decoded at print resolution, where only one decoded photo is kept at a time.
  const QString large = photo(QStringLiteral("large.jpg"), qRgb(40, 90, 160), QSize(4000, 2500));
  theme.backgrounds[0] = theme.backgrounds[1] = theme.backgrounds[2] = large;
  EXPECT_EQ(embeddedImages(exportPdf(1, 3)), std::vector<QSize>{QSize(4000, 2500)});

  const QString small = photo(QStringLiteral("small.jpg"), qRgb(40, 90, 160));
  theme.backgrounds[0] = theme.backgrounds[2] = small;
  theme.backgrounds[1] = photo(QStringLiteral("other.jpg"), qRgb(160, 90, 40));
  EXPECT_EQ(embeddedImages(exportPdf(1, 3)).size(), 2u) << "January and March share theirs";
}

TEST_F(ExportPdfPhotoTest, NoImageIsLargerThanThePhoto) {
  theme.backgrounds[0] = photo(QStringLiteral("small.jpg"), qRgb(40, 90, 160));
  for (int dpi : {0, 1200}) {
    const std::vector<QSize> images = embeddedImages(exportPdf(1, 1, dpi));
    ASSERT_EQ(images.size(), 1u) << dpi;
    EXPECT_EQ(images.front(), QSize(kPhotoWidth, kPhotoHeight)) << dpi;
  }
}

TEST_F(ExportPdfPhotoTest, AFailedExportLeavesTheEarlierFile) {
  theme.backgrounds[0] = photo(QStringLiteral("good.jpg"), qRgb(40, 90, 160));
  QFile good(theme.backgrounds[0]);
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  const QString damaged = out.filePath(QStringLiteral("damaged.jpg"));
  QFile cut(damaged);
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
  cut.write(good.readAll().left(500));  // ends long before its last marker
  cut.close();
  theme.backgrounds[1] = damaged;

  const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
  EXPECT_THROW(exportPdf(1, 2), Error);
  EXPECT_FALSE(QFileInfo::exists(pdf)) << "no half-written file";

  QFile earlier(pdf);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
  earlier.write("earlier");
  earlier.close();
  EXPECT_THROW(exportPdf(1, 2), Error);
  ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
  EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 3) << "no temporary file left behind";
}

}  // namespace
}  // namespace orvella::testing
