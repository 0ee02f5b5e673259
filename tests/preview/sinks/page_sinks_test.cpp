// Page sinks: every format leaves its target as it was when a write fails (a full disk), says why, and
// the export then ends with status 1; a killed export leaves nothing behind; an SVG page looks as the
// PNG of the same page.
#include <gtest/gtest.h>

#include <signal.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "calendar/composition/month_composition.h"
#include "calendar/namedays/name_days.h"
#include "platform/errors/error.h"
#include "preview/sinks/page_sink.h"
#include "tests/support/files.h"
#include "tests/support/program_copy.h"
#include "tests/support/reference_image.h"
#include "theme/files/theme_files.h"

namespace orvella::testing {
namespace {

// January 2010 of the default theme, composed from the program's data.
class SinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ThemeFiles files(theme, program.path(), out.filePath(QStringLiteral("work")));
    files.new_theme();
    nameDays.load_forenames(program.path());
    MonthRequest request{snapshotOf(theme), 2010, 1, {}};
    const PageSources sources{nameDays, [this](const QString& held) {
                                const QString file = program.path(held);
                                return QFileInfo(file).isFile() ? file : QString();
                              }};
    PictureShelf pictures;
    january = composeMonth(request, sources, pictures).page;
  }

  void write(const QString& output, int dpi = 0) {
    const sinks::SinkFormat* format = sinks::sinkFormatOf(output);
    ASSERT_TRUE(format) << output.toStdString();
    const auto sink = format->open(output, {dpi ? dpi : format->defaultDpi, false});
    sink->add(january, {2010, 1, 1});
    sink->commit();
  }

  ProgramFolder program;
  QTemporaryDir out;
  Theme theme;
  NameDays nameDays;
  page::GeneratedPage january;
};

// A disk that holds the target and little more: each format fails, says "No space left on device" with
// the target's name, and the target keeps its earlier contents; no other file is left there.
TEST_F(SinkTest, AFullDiskLeavesEveryTargetAsItWas) {
  const QString disk = qEnvironmentVariable("ORVELLA_FULL_DISK");
  if (disk.isEmpty()) GTEST_SKIP() << "no small file system could be mounted here (tests/support/with_full_disk.sh)";
  for (const sinks::SinkFormat& format : sinks::sinkFormats()) {
    SCOPED_TRACE(format.suffix.toStdString());
    const QString target = disk + QStringLiteral("/month.") + format.suffix;
    ASSERT_TRUE(writeFile(target, "earlier"));
    QFile filler(disk + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
    }
    filler.close();
    ASSERT_TRUE(filler.resize(filler.size() - 8192));  // room for a little, not for a page
    try {
      write(target, 300);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().startsWith(QStringLiteral("Unable to write to ") + target)) << e.message().toStdString();
      EXPECT_TRUE(e.message().endsWith(QStringLiteral("No space left on device"))) << e.message().toStdString();
    }
    EXPECT_EQ(readFile(target), "earlier");
    EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden).size(), 2);
    QFile::remove(target);
    QFile::remove(filler.fileName());
  }
  const QString pdf = disk + QStringLiteral("/year.pdf");
  QFile filler(disk + QStringLiteral("/filler"));
  ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.write(QByteArray(1000 * 1024, 'x')) > 0);
  filler.close();
  const ProgramRun run = runProgram({"--export", pdf, "--year", "2010", "--month", "1-12"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("Unable to write to ") + pdf)) << run.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(pdf));
}

// The export killed halfway leaves no file beside its images, and its working folder goes at the next
// export's start.
TEST_F(SinkTest, AKilledExportLeavesNothingBehind) {
  const QString temporary = out.filePath(QStringLiteral("tmp"));
  ASSERT_TRUE(QDir().mkpath(temporary));
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("TMPDIR"), temporary);
  QProcess killed;
  killed.setProcessEnvironment(offscreenEnvironment(environment));
  killed.start(QStringLiteral(ORVELLA_RUNTIME_DIR "/orvella"),
               {"--export", out.filePath(QStringLiteral("cal.png")), "--year", "2010", "--month", "1-12", "--dpi", "600"});
  ASSERT_TRUE(killed.waitForStarted());
  // Killed once it is at work: its working folder is there.
  for (int i = 0; i < 600 && QDir(temporary).isEmpty(); ++i) QThread::msleep(50);
  QThread::msleep(500);
  ::kill(pid_t(killed.processId()), SIGKILL);
  killed.waitForFinished();
  const QStringList exports{QStringLiteral("orvella-export-*")};
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_EQ(QDir(temporary).entryList(exports, QDir::AllEntries).size(), 1) << "its working folder";

  QProcess next;
  next.setProcessEnvironment(offscreenEnvironment(environment));
  next.start(QStringLiteral(ORVELLA_RUNTIME_DIR "/orvella"),
             {"--export", out.filePath(QStringLiteral("cal.json")), "--year", "2010", "--month", "1"});
  ASSERT_TRUE(next.waitForFinished(60000));
  EXPECT_EQ(next.exitCode(), 0);
  EXPECT_EQ(QDir(temporary).entryList(exports, QDir::AllEntries), QStringList());
}

// A browser-grade renderer draws the SVG of a month as the PNG export draws it, both exported at
// 600 dpi (where the snapping of letters to pixels, which only images have, is too small to count) and
// seen at 300; a theme with icons, frames, week numbers and a margin picture cut off at its box. Letters
// and metafiles stay shapes: the drawing holds no image.
TEST_F(SinkTest, AnSvgMonthLooksAsItsPng) {
  if (QStandardPaths::findExecutable(QStringLiteral("rsvg-convert")).isEmpty())
    GTEST_SKIP() << "rsvg-convert is missing (librsvg2-bin; scripts/setup installs it)";
  for (const char* format : {"png", "svg"}) {
    const ProgramRun run = runProgram({"--export", out.filePath(QStringLiteral("month.") + QLatin1String(format)), "--year",
                                       "2012", "--month", "2", "--dpi", "600", "--theme",
                                       QStringLiteral(ORVELLA_TEST_DATA "/page_models/holidays.hol")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
  }
  EXPECT_FALSE(readFile(out.filePath(QStringLiteral("month.svg"))).contains("<image"));
  QProcess rsvg;
  rsvg.start(QStringLiteral("rsvg-convert"), {"--width", "7016", "--height", "4961", "--background-color", "white", "-o",
                                               out.filePath(QStringLiteral("svg.png")), out.filePath(QStringLiteral("month.svg"))});
  ASSERT_TRUE(rsvg.waitForFinished(120000) && rsvg.exitCode() == 0) << rsvg.readAllStandardError().toStdString();
  QImageReader::setAllocationLimit(0);  // a 600 dpi sheet is larger than images are allowed by default
  auto at300 = [this](const char* name) {
    const QImage image(out.filePath(QLatin1String(name)));
    return image.scaled(image.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  };
  const QImage png = at300("month.png");
  EXPECT_EQ(png.width(), 3508);
  EXPECT_EQ(imageDifference(at300("svg.png"), png).toStdString(), "");
}

}  // namespace
}  // namespace orvella::testing
