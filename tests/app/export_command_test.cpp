// The headless export's command line and its outputs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>


#include "../support/file_size_limit.h"
#include "../support/program_folder.h"
#include "app/export/export_command.h"
#include "calendar/namedays/name_days.h"
#include "platform/errors/error.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/reference_image.h"
#include "theme/files/theme_files.h"

namespace orvella::testing {
namespace {

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
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

// On Letter and A3 the A4 page is scaled to the paper's height or width and centred: the page model
// says where it lands, and PDF pages and images have the paper's size.
TEST_F(ExportRunTest, OtherPapersTakeThePageScaledAndCentred) {
  struct Case {
    QPageSize::PageSizeId paper;
    QSizeF points;
    double scale, leftMm, topMm;
  };
  // Letter (279.4 x 215.9 mm) is relatively higher than A4: its width decides. A3 (420 x 297 mm) is
  // A4 scaled by the square root of 2, rounded to whole millimetres: its width decides by a hair.
  for (const Case& c : {Case{QPageSize::Letter, QSizeF(792, 612), 279.4 / 297, 0, (215.9 - 210 * 279.4 / 297) / 2},
                        Case{QPageSize::A3, QSizeF(1191, 842), 420.0 / 297, 0, (297 - 210 * 420.0 / 297) / 2}}) {
    SCOPED_TRACE(QPageSize(c.paper).name().toStdString());
    ExportRequest request{out.path() + QStringLiteral("/cal.json"), 2010, 1, 2, {}, 0};
    request.paper = c.paper;
    runExport(request, program.path());
    const QJsonArray pages =
        QJsonDocument::fromJson(readAll(request.output))[QStringLiteral("pages")].toArray();
    ASSERT_EQ(pages.size(), 2);
    const QJsonObject paper = pages[1][QStringLiteral("paper")].toObject();
    EXPECT_NEAR(paper[QStringLiteral("width_mm")].toDouble(), c.points.width() / 72 * 25.4, 0.2);
    EXPECT_NEAR(paper[QStringLiteral("scale")].toDouble(), c.scale, 1e-4);
    EXPECT_NEAR(paper[QStringLiteral("left_mm")].toDouble(), c.leftMm, 0.01);
    EXPECT_NEAR(paper[QStringLiteral("top_mm")].toDouble(), c.topMm, 0.01);

    request.output = out.path() + QStringLiteral("/cal.pdf");
    runExport(request, program.path());
    EXPECT_EQ(pdfPageSizes(readAll(request.output)), (QList<QSizeF>{c.points, c.points}));

    request.output = out.path() + QStringLiteral("/cal.png");
    request.dpi = 36;
    runExport(request, program.path());
    const QImage image(out.path() + QStringLiteral("/cal-01.png"));
    EXPECT_NEAR(image.width(), c.points.width() / 2, 1);  // 36 pixels an inch are half the points
    EXPECT_NEAR(image.height(), c.points.height() / 2, 1);
  }
  // A4 adds no paper to the page model: the pages are those of every earlier export.
  ExportRequest a4{out.path() + QStringLiteral("/a4.json"), 2010, 1, 1, {}, 0};
  runExport(a4, program.path());
  EXPECT_FALSE(QJsonDocument::fromJson(readAll(a4.output))[QStringLiteral("pages")][0].toObject().contains(
      QStringLiteral("paper")));
}

TEST_F(ExportRunTest, AComposedMonthLooksAsItsReference) {
  // January 2010 of the default theme: the left-margin band, the header bar, name days in every cell.
  runExport(ExportRequest{out.path() + QStringLiteral("/january.png"), 2010, 1, 1, {}, 72}, program.path());
  const QImage january(out.path() + QStringLiteral("/january.png"));
  ASSERT_FALSE(january.isNull());
  EXPECT_EQ(testing::differenceFromReference(january, QStringLiteral("export/january_2010")).toStdString(), "");
}

TEST_F(ExportRunTest, AMissingThemeIsAnError) {
  EXPECT_THROW(runExport(ExportRequest{out.path() + QStringLiteral("/a.json"), 2010, 1, 1,
                                       out.path() + QStringLiteral("/none.hol"), 0},
                         program.path()),
               Error);
}

// A theme archive of the default theme with one byte of its settings block changed.
QString damagedTheme(const ProgramFolder& program, const QString& path) {
  Theme theme;
  ThemeFiles files(theme, program.path(), QDir(path).absolutePath() + QStringLiteral("-work"));
  files.new_theme(2010);
  EXPECT_TRUE(files.save_theme(path, 2010));
  QByteArray bytes = readAll(path);
  const qsizetype block = bytes.indexOf(QByteArray("EC2\0", 4)) + 8;
  bytes[block + 10] = char(bytes[block + 10] ^ 0x40);
  writeFile(path, bytes);
  return path;
}

TEST_F(ExportRunTest, ADamagedThemeIsAnErrorThatNamesTheFile) {
  const QString theme = damagedTheme(program, out.filePath(QStringLiteral("damaged.hol")));
  try {
    runExport(ExportRequest{out.filePath(QStringLiteral("a.json")), 2010, 1, 1, theme, 0}, program.path());
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), theme + QStringLiteral(": Compression error"));
  }
  EXPECT_FALSE(QFileInfo::exists(out.filePath(QStringLiteral("a.json"))));
}

// The program itself: what reaches standard output and standard error, and its exit status.
TEST_F(ExportRunTest, TheProgramReportsOnStandardErrorWithItsExitStatus) {
  struct Run {
    int status;
    QString out, err;
  };
  auto run = [](const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVELLA_RUNTIME_DIR "/orvella"), arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return Run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
               QString::fromLocal8Bit(process.readAllStandardOutput()),
               QString::fromLocal8Bit(process.readAllStandardError())};
  };
  const QString theme = damagedTheme(program, out.filePath(QStringLiteral("damaged.hol")));
  const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
  Run damaged = run({"--export", pdf, "--year", "2010", "--month", "1", "--theme", theme});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_TRUE(damaged.err.contains(theme + QStringLiteral(": Compression error")))
      << damaged.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(pdf));

  Run bad = run({"--export", pdf, "--year", "2010", "--month", "-1"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(bad.err.contains(QStringLiteral("--month"))) << bad.err.toStdString();

  Run help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.contains(QStringLiteral("--export"))) << help.out.toStdString();

  Run good = run({"--export", pdf, "--year", "2010", "--month", "1"});
  EXPECT_EQ(good.status, 0) << good.err.toStdString();
  EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

// Images of several months appear together or not at all, and an image that cannot be written whole
// leaves the earlier file as it was.
TEST_F(ExportRunTest, PngMonthsReplaceTheirFilesTogetherOrNotAtAll) {
  const QString january = out.filePath(QStringLiteral("cal-01.png"));
  const QString february = out.filePath(QStringLiteral("cal-02.png"));
  writeFile(january, "earlier");
  writeFile(february, "earlier");
  Theme theme;
  ThemeFiles files(theme, program.path(), out.filePath(QStringLiteral("work")));
  files.new_theme(2010);
  writeFile(out.filePath(QStringLiteral("cut.jpg")), QByteArray::fromHex("ffd8ffe000104a464946000101"));
  theme.backgrounds[1] = out.filePath(QStringLiteral("cut.jpg"));
  NameDays nameDays;
  const ExportRequest both{out.filePath(QStringLiteral("cal.png")), 2010, 1, 2, {}, 40};
  EXPECT_THROW(exportMonths(both, theme, nameDays, program.path()), Error);
  EXPECT_EQ(readAll(january), "earlier");
  EXPECT_EQ(readAll(february), "earlier");

  theme.backgrounds[1].clear();
  {
    FileSizeLimit full(4096);
    EXPECT_THROW(exportMonths(ExportRequest{january, 2010, 1, 1, {}, 150}, theme, nameDays, program.path()),
                 Error);
  }
  EXPECT_EQ(readAll(january), "earlier");
  const QStringList left = QDir(out.path()).entryList(QDir::Files | QDir::Hidden);
  EXPECT_EQ(left, QStringList({"cal-01.png", "cal-02.png", "cut.jpg"})) << left.join(' ').toStdString();

  exportMonths(both, theme, nameDays, program.path());
  EXPECT_EQ(QImage(january).width(), qRound(297 / 25.4 * 40));
  EXPECT_EQ(QImage(february).width(), qRound(297 / 25.4 * 40));
}

// An output that exists as anything but a regular file (a device, a pipe, a folder, or a link to one)
// is refused before anything is composed, and left as it is.
TEST_F(ExportRunTest, AnOutputThatIsNoRegularFileIsRefused) {
  const QString pipe = out.filePath(QStringLiteral("pipe.pdf"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
  ASSERT_TRUE(QFile::link(pipe, out.filePath(QStringLiteral("link.json"))));
  ASSERT_TRUE(QDir().mkpath(out.filePath(QStringLiteral("folder.png"))));
  ASSERT_TRUE(
      QFile::link(out.filePath(QStringLiteral("folder.png")), out.filePath(QStringLiteral("cal-02.png"))));
  for (const QString& output :
       {pipe, out.filePath(QStringLiteral("link.json")), out.filePath(QStringLiteral("folder.png")),
        out.filePath(QStringLiteral("cal.png"))}) {
    try {
      runExport(ExportRequest{output, 2010, 1, output.endsWith(QLatin1String("cal.png")) ? 2 : 1, {}, 40},
                program.path());
      ADD_FAILURE() << "no error for " << output.toStdString();
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().contains(out.path())) << e.message().toStdString();
    }
  }
  struct stat st;
  ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_TRUE(QFileInfo(out.filePath(QStringLiteral("link.json"))).isSymLink());
  EXPECT_TRUE(QFileInfo(out.filePath(QStringLiteral("folder.png"))).isDir());
  EXPECT_FALSE(QFileInfo::exists(out.filePath(QStringLiteral("cal-01.png"))));
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
