// The headless export's command line and its outputs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "../support/damaged_archive.h"
#include "../support/file_size_limit.h"
#include "../support/files.h"
#include "../support/program_copy.h"
#include "app/export/export_command.h"
#include "calendar/composition/month_composition.h"
#include "calendar/namedays/name_days.h"
#include "platform/errors/error.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/raster_cache.h"
#include "preview/sinks/page_sink.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/reference_image.h"
#include "theme/files/theme_files.h"

namespace orvella::testing {
namespace {

TEST(ExportCommandLine, SeveralMonthsGetNumberedImages) {
  EXPECT_EQ(sinks::fileForPage(QStringLiteral("/x/cal.png"), 3, true), QStringLiteral("/x/cal-03.png"));
  EXPECT_EQ(sinks::fileForPage(QStringLiteral("/x/cal.png"), 3, false), QStringLiteral("/x/cal.png"));
}

class ExportRunTest : public ::testing::Test {
 protected:
  ProgramFolder program;
  QTemporaryDir out;
};

TEST_F(ExportRunTest, JsonHoldsOnePagePerMonth) {
  ExportRequest request{out.path() + QStringLiteral("/cal.json"), 2010, 1, 3, {}, 0};
  runExport(request, program.path());
  const QJsonArray pages = QJsonDocument::fromJson(readFile(request.output))[QStringLiteral("pages")].toArray();
  ASSERT_EQ(pages.size(), 3);
  EXPECT_EQ(pages[2][QStringLiteral("month")].toInt(), 3);
  EXPECT_TRUE(QDir(program.path(QStringLiteral("temp"))).isEmpty());  // a running program's folder is untouched
}

TEST_F(ExportRunTest, ARunningProgramsThemeStaysAsItWas) {
  const QString settings = program.path(QStringLiteral("temp/holidays.ini"));
  ASSERT_TRUE(writeFile(settings, "[main]\r\nname=Open in the window\r\n"));
  runExport(ExportRequest{out.path() + QStringLiteral("/cal.json"), 2010, 1, 1, {}, 0}, program.path());
  EXPECT_EQ(readFile(settings), QByteArray("[main]\r\nname=Open in the window\r\n"));
}

TEST_F(ExportRunTest, ImagesAndPdfAreWritten) {
  runExport(ExportRequest{out.path() + QStringLiteral("/cal.png"), 2010, 1, 2, {}, 40}, program.path());
  const QImage january(out.path() + QStringLiteral("/cal-01.png"));
  EXPECT_EQ(january.width(), qRound(297 / 25.4 * 40));
  EXPECT_TRUE(QFileInfo::exists(out.path() + QStringLiteral("/cal-02.png")));
  runExport(ExportRequest{out.path() + QStringLiteral("/cal.pdf"), 2010, 12, 12, {}, 0}, program.path());
  EXPECT_TRUE(readFile(out.path() + QStringLiteral("/cal.pdf")).startsWith("%PDF-"));
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
        QJsonDocument::fromJson(readFile(request.output))[QStringLiteral("pages")].toArray();
    ASSERT_EQ(pages.size(), 2);
    const QJsonObject paper = pages[1][QStringLiteral("paper")].toObject();
    EXPECT_NEAR(paper[QStringLiteral("width_mm")].toDouble(), c.points.width() / 72 * 25.4, 0.2);
    EXPECT_NEAR(paper[QStringLiteral("scale")].toDouble(), c.scale, 1e-4);
    EXPECT_NEAR(paper[QStringLiteral("left_mm")].toDouble(), c.leftMm, 0.01);
    EXPECT_NEAR(paper[QStringLiteral("top_mm")].toDouble(), c.topMm, 0.01);

    request.output = out.path() + QStringLiteral("/cal.pdf");
    runExport(request, program.path());
    EXPECT_EQ(pdfPageSizes(readFile(request.output)), (QList<QSizeF>{c.points, c.points}));

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
  EXPECT_FALSE(QJsonDocument::fromJson(readFile(a4.output))[QStringLiteral("pages")][0].toObject().contains(
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

// The program itself: what reaches standard output and standard error, and its exit status. A damaged
// theme is an error that names the file and leaves no output.
TEST_F(ExportRunTest, TheProgramReportsOnStandardErrorWithItsExitStatus) {
  const QString theme = out.filePath(QStringLiteral("damaged.hol"));
  Theme saved;
  ThemeFiles files(saved, program.path(), out.filePath(QStringLiteral("work")));
  files.new_theme();
  ASSERT_TRUE(files.save_theme(theme) && damageFirstBlock(theme));
  const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
  const ProgramRun damaged = runProgram({"--export", pdf, "--year", "2010", "--month", "1", "--theme", theme});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_TRUE(damaged.err.contains(theme + QStringLiteral(": Compression error")))
      << damaged.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(pdf));

  const ProgramRun bad = runProgram({"--export", pdf, "--year", "2010", "--month", "-1"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(bad.err.contains(QStringLiteral("--month"))) << bad.err.toStdString();

  const ProgramRun help = runProgram({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.contains(QStringLiteral("--export"))) << help.out.toStdString();

  const ProgramRun good = runProgram({"--export", pdf, "--year", "2010", "--month", "1"});
  EXPECT_EQ(good.status, 0) << good.err.toStdString();
  EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

// --lang gives the month and weekday names on the page and the export's own messages the language's texts;
// without it both stay the program's own Polish, as the page models always were.
TEST_F(ExportRunTest, TheLanguageGivesTheMonthNamesAndTheMessages) {
  const QString json = out.filePath(QStringLiteral("march.json"));
  const QString skipped = out.filePath(QStringLiteral("skipped.hln"));
  ASSERT_TRUE(writeFile(skipped, "[1]\nexpr=x\n"));
  auto run = [&](const QStringList& language) {
    const ProgramRun ran =
        runProgram(QStringList{"--export", json, "--year", "2010", "--month", "3", "--holidays", skipped} + language);
    EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
    const QJsonObject page = QJsonDocument::fromJson(readFile(json))[QStringLiteral("pages")][0].toObject();
    QString names;  // the month's name, then the weekday header's last name
    for (const QJsonValue& e : page[QStringLiteral("elements")].toArray())
      if (e[QStringLiteral("name")] == QStringLiteral("qr_miech") || e[QStringLiteral("name")] == QStringLiteral("l_Sunday"))
        names += e[QStringLiteral("caption")].toString() + '/';
    return names + ran.err;
  };
  const QString english = run({"--lang", "english"});
  EXPECT_TRUE(english.startsWith(QStringLiteral("Sunday/March/"))) << english.toStdString();
  EXPECT_TRUE(run({"--lang", "espanol"}).startsWith(QStringLiteral("domingo/Marzo/")));
  EXPECT_TRUE(english.contains(QStringLiteral("not added because"))) << english.toStdString();
  const QString polish = run({});
  EXPECT_TRUE(polish.startsWith(QStringLiteral("niedziela/Marzec/"))) << polish.toStdString();
  EXPECT_FALSE(polish.contains(QStringLiteral("not added because"))) << polish.toStdString();
}

// --month 9-8 runs from September of --year to August of the next year, each page of its own year: its
// year label, and the national holidays of that year (Easter 2011 on Sunday 24 April, the 4th row);
// --overview puts the year's overview first.
TEST_F(ExportRunTest, AMonthRunIntoTheNextYearGivesEachPageItsOwnYear) {
  const QString json = out.filePath(QStringLiteral("school.json"));
  const ProgramRun ran =
      runProgram({"--export", json, "--year", "2010", "--month", "9-8", "--holidays", "polska", "--overview"});
  ASSERT_EQ(ran.status, 0) << ran.err.toStdString();
  const QJsonArray pages = QJsonDocument::fromJson(readFile(json))[QStringLiteral("pages")].toArray();
  ASSERT_EQ(pages.size(), 13);
  EXPECT_EQ(pages[0][QStringLiteral("month")].toInt(), 0);
  for (int i = 0; i < 12; ++i) {
    const QJsonObject page = pages[i + 1].toObject();
    const int year = i < 4 ? 2010 : 2011;
    EXPECT_EQ(page[QStringLiteral("year")].toInt(), year);
    EXPECT_EQ(page[QStringLiteral("month")].toInt(), (8 + i) % 12 + 1);
    QStringList easter;
    for (const QJsonValue& e : page[QStringLiteral("elements")].toArray()) {
      if (e[QStringLiteral("name")] == QStringLiteral("QRL_rok"))
        EXPECT_EQ(e[QStringLiteral("caption")].toString(), QString::number(year));
      if (e[QStringLiteral("caption")] == QStringLiteral("Wielkanoc"))
        easter << QStringLiteral("%1,%2").arg(e[QStringLiteral("left")].toInt()).arg(e[QStringLiteral("top")].toInt());
    }
    EXPECT_EQ(easter, i == 7 ? QStringList{QStringLiteral("475,259")} : QStringList()) << i;
  }
}

// In every mode an option nobody knows is refused (status 2), and without a display the window says so
// in one line (1). An export says nothing but its own lines, also from cron (no XDG_RUNTIME_DIR), and
// a theme or holidays file it cannot read whole ends it (1) with the file named.
TEST_F(ExportRunTest, EveryModeSaysWhatIsWrongInOneLineOfItsOwn) {
  QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"}) bare.remove(name);
  EXPECT_EQ(runProgram({"--colour", "red"}, bare).status, 2);
  const ProgramRun window = runProgram({}, bare);
  EXPECT_TRUE(window.status == 1 && window.err.count('\n') == 1 && window.err.contains("--export")) << window.err.toStdString();

  const QStringList january{"--export", out.filePath(QStringLiteral("cal.pdf")), "--year", "2010", "--month", "1"};
  EXPECT_EQ(runProgram(january, bare).err, QString());

  const QString padded = out.filePath(QStringLiteral("padded.hln"));
  writeFile(padded, "[1]\r\nm=1\r\nd=1\r\nname=Nowy Rok\r\n" + QByteArray(5 << 20, ' '));
  const ProgramRun large = runProgram(january + QStringList{"--holidays", padded}, bare);
  EXPECT_TRUE(large.status == 1 && large.err.contains(padded + "” jest za duży")) << large.err.toStdString();

  // A theme split over volumes whose second one is not there.
  writeFile(out.filePath(QStringLiteral("split/holidays.ini")), "[main]\r\nname=Split\r\n");
  TBackupFile volumes;
  volumes.setMaxSize(100);
  volumes.OnNeedDisk = [](quint16, bool& go) { go = true; };
  const QString split = out.filePath(QStringLiteral("split.hol"));
  ASSERT_TRUE(volumes.Backup({out.filePath(QStringLiteral("split/holidays.ini"))}, split));
  ASSERT_TRUE(QFile::remove(out.filePath(QStringLiteral("split.002"))));
  const ProgramRun partial = runProgram(january + QStringList{"--theme", split}, bare);
  EXPECT_TRUE(partial.status == 1 && partial.err.contains(out.filePath(QStringLiteral("split.002"))))
      << partial.err.toStdString();
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
  files.new_theme();
  QImage noise(400, 300, QImage::Format_RGB32);
  for (int y = 0; y < noise.height(); ++y)
    for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, qRgb((x * 7919 + y * 104729) % 251, (x * y) % 253, x ^ y));
  ASSERT_TRUE(noise.save(out.filePath(QStringLiteral("noise.bmp"))));
  theme.backgrounds[1] = out.filePath(QStringLiteral("noise.bmp"));
  NameDays nameDays;
  const ExportRequest both{out.filePath(QStringLiteral("cal.png")), 2010, 1, 2, {}, 40};
  {
    FileSizeLimit full(64 * 1024);
    EXPECT_THROW(exportMonths(both, theme, nameDays, program.path()), Error);
  }
  EXPECT_EQ(readFile(january), "earlier");
  EXPECT_EQ(readFile(february), "earlier");
  const QStringList left = QDir(out.path()).entryList(QDir::Files | QDir::Hidden);
  EXPECT_EQ(left, QStringList({"cal-01.png", "cal-02.png", "noise.bmp"})) << left.join(' ').toStdString();

  exportMonths(both, theme, nameDays, program.path());
  EXPECT_EQ(QImage(january).width(), qRound(297 / 25.4 * 40));
  EXPECT_EQ(QImage(february).width(), qRound(297 / 25.4 * 40));
}

// A picture that cannot be read is left off the months that show it, said once; the others are
// composed and everything is written. So too in images, whose next month is composed, and its
// pictures decoded, while a month is written.
TEST_F(ExportRunTest, AnUnreadablePictureIsLeftOffAndTheExportGoesOn) {
  Theme theme;
  ThemeFiles files(theme, program.path(), out.filePath(QStringLiteral("work")));
  files.new_theme();
  const QString cut = out.filePath(QStringLiteral("cut.jpg"));
  writeFile(cut, QByteArray::fromHex("ffd8ffe000104a464946000101"));
  theme.backgrounds[1] = theme.backgrounds[2] = cut;
  NameDays nameDays;
  for (const char* name : {"cal.json", "cal.png"}) {
    SCOPED_TRACE(name);
    const ExportRequest request{out.filePath(QString::fromLatin1(name)), 2010, 1, 3, {}, 20};
    const QStringList warnings = exportMonths(request, theme, nameDays, program.path());
    ASSERT_EQ(warnings.size(), 1) << warnings.join('\n').toStdString();
    EXPECT_TRUE(warnings.front().contains(cut)) << warnings.front().toStdString();
  }
  EXPECT_EQ(QJsonDocument::fromJson(readFile(out.filePath(QStringLiteral("cal.json"))))[QStringLiteral("pages")].toArray().size(), 3);
  EXPECT_TRUE(QFileInfo::exists(out.filePath(QStringLiteral("cal-03.png"))));
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

// Export with photo backgrounds: what a PDF holds, what a failed export leaves behind, and PNG months
// decoded one ahead.
class ExportPdfPhotoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ThemeFiles files(theme, program.path());
    files.new_theme();
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
    const QString text = QString::fromLatin1(readFile(pdf));
    static const QRegularExpression image(QStringLiteral("<<([^<>]*/Subtype\\s*/Image[^<>]*)>>"));
    static const QRegularExpression width(QStringLiteral("/Width (\\d+)")), height(QStringLiteral("/Height (\\d+)"));
    std::vector<QSize> sizes;
    for (auto it = image.globalMatch(text); it.hasNext();) {
      const QString dictionary = it.next().captured(1);
      sizes.emplace_back(width.match(dictionary).captured(1).toInt(), height.match(dictionary).captured(1).toInt());
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

// The photo's own file, neither decoded nor made again, at any resolution.
TEST_F(ExportPdfPhotoTest, APhotoGoesInAsItsOwnFile) {
  theme.backgrounds[0] = photo(QStringLiteral("small.jpg"), qRgb(40, 90, 160));
  for (int dpi : {0, 1200}) {
    const QString pdf = exportPdf(1, 1, dpi);
    const std::vector<QSize> images = embeddedImages(pdf);
    ASSERT_EQ(images.size(), 1u) << dpi;
    EXPECT_EQ(images.front(), QSize(kPhotoWidth, kPhotoHeight)) << dpi;
    EXPECT_TRUE(readFile(pdf).contains(readFile(theme.backgrounds[0]))) << dpi;
  }
}

TEST_F(ExportPdfPhotoTest, AFailedExportLeavesTheEarlierFile) {
  theme.backgrounds[0] = theme.backgrounds[1] = photo(QStringLiteral("good.jpg"), qRgb(40, 90, 160));
  const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
  FileSizeLimit full(4096);
  EXPECT_THROW(exportPdf(1, 2), Error);
  EXPECT_FALSE(QFileInfo::exists(pdf)) << "no half-written file";

  ASSERT_TRUE(writeFile(pdf, "earlier"));
  EXPECT_THROW(exportPdf(1, 2), Error);
  EXPECT_EQ(readFile(pdf), QByteArray("earlier"));
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file left behind";
}

// A month's photo is decoded while the month before is written, at the size its page draws it: the page
// then decodes nothing, and its image is the one written without that. A photo that fails to decode
// is drawn as nothing either way.
TEST_F(ExportPdfPhotoTest, TheNextMonthsPhotoIsDecodedWhileAMonthIsWritten) {
  // March's photo without its quantisation tables: it loads, and fails when it is decoded.
  QByteArray noTables = readFile(photo(QStringLiteral("mar.jpg"), qRgb(90, 160, 40)));
  for (qsizetype at = 2; noTables.at(at + 1) != char(0xDA);) {
    const qsizetype length = 2 + (uchar(noTables.at(at + 2)) << 8 | uchar(noTables.at(at + 3)));
    if (noTables.at(at + 1) == char(0xDB))
      noTables.remove(at, length);
    else
      at += length;
  }
  writeFile(out.filePath(QStringLiteral("mar.jpg")), noTables);
  theme.backgrounds[0] = photo(QStringLiteral("jan.jpg"), qRgb(40, 90, 160), QSize(1600, 1000));
  theme.backgrounds[1] = photo(QStringLiteral("feb.jpg"), qRgb(160, 90, 40), QSize(1600, 1000));
  theme.backgrounds[2] = out.filePath(QStringLiteral("mar.jpg"));
  const PageSources sources{nameDays, [](const QString& held) { return held; }};
  PictureShelf shelf;
  std::vector<page::GeneratedPage> pages;
  for (int month = 1; month <= 3; ++month)
    pages.push_back(composeMonth({snapshotOf(theme), 2010, month, {}}, sources, shelf).page);
  auto write = [&](std::size_t i, bool ahead) {
    const QString file = out.filePath(QStringLiteral("%1-%2.png").arg(ahead).arg(i));
    const auto sink = sinks::sinkFormat(QStringLiteral("png"))->open(file, {60, false});
    if (ahead && i + 1 < pages.size()) sink->upcoming(pages[i + 1]);
    sink->add(pages[i], {});
    sink->commit();
    return readFile(file);
  };
  RasterCache::instance().clear();
  jpegDecodeStats() = {};
  std::vector<QByteArray> ahead{write(0, true)};
  EXPECT_EQ(jpegDecodeStats().decodes, 2) << "February's photo is decoded while January is written";
  for (std::size_t i : {1, 2}) ahead.push_back(write(i, true));
  EXPECT_EQ(jpegDecodeStats().decodes, 2) << "February's page decodes its photo again";
  RasterCache::instance().clear();
  for (std::size_t i : {0, 1, 2}) EXPECT_TRUE(write(i, false) == ahead[i]) << "month " << i + 1;
}

}  // namespace
}  // namespace orvella::testing
