// The sample themes: listed by the names they carry, and each as shipped composes every month with
// all its pictures, every text whole, and not a word from the libraries.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>

#include "app/core/program_data.h"
#include "calendar/composition/month_composition.h"
#include "calendar/composition/month_names.h"
#include "calendar/namedays/name_days.h"
#include "calendar/page/label_text.h"
#include "calendar/page/page_renderer.h"
#include "theme/files/theme_files.h"
#include "theme/samples/sample_themes.h"

namespace orvella::testing {
namespace {

const QString kDataDir = QStringLiteral(ORVELLA_SOURCE_DIR "/data");

QStringList warningsSaid;
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtDebugMsg && type != QtInfoMsg) warningsSaid << message;
}

TEST(SampleThemesTest, AreListedByTheirOwnNamesAndAnUnreadableOneByItsFile) {
  const QTemporaryDir folder;
  const QString shipped = sampleThemes(kDataDir + QStringLiteral("/themes")).front().path;
  ASSERT_TRUE(QFile::copy(shipped, folder.filePath(QStringLiteral("b.hol"))));
  QFile damaged(folder.filePath(QStringLiteral("a-damaged.hol")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write(QByteArray(300, '\x07')) == 300);
  damaged.close();
  QFile bare(folder.filePath(QStringLiteral("c.hol")));  // a theme kept as a bare settings file
  ASSERT_TRUE(bare.open(QIODevice::WriteOnly) && bare.write("[main]\r\nname=Zielony\r\n[1]\r\n1=Nowy Rok\r\n") > 0);
  bare.close();
  QFile other(folder.filePath(QStringLiteral("notes.txt")));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.close();

  QStringList names, files;
  for (const SampleTheme& theme : sampleThemes(folder.path())) {
    names << theme.name;
    files << QFileInfo(theme.path).fileName();
  }
  const QString shippedName = sampleThemes(kDataDir + QStringLiteral("/themes")).front().name;
  EXPECT_EQ(files, (QStringList{QStringLiteral("a-damaged.hol"), QStringLiteral("b.hol"), QStringLiteral("c.hol")}));
  EXPECT_EQ(names, (QStringList{QStringLiteral("a-damaged"), shippedName, QStringLiteral("Zielony")}));
}

TEST(SampleThemesTest, EachComposesEveryMonthWholeWithoutAWord) {
  const QList<SampleTheme> samples = sampleThemes(kDataDir + QStringLiteral("/themes"));
  ASSERT_GE(samples.size(), 4);
  QSet<QString> names;
  NameDays nameDays;
  nameDays.load_forenames(kDataDir);
  for (const SampleTheme& sample : samples) {
    SCOPED_TRACE(sample.path.toStdString());
    EXPECT_FALSE(names.contains(sample.name)) << "two samples named " << sample.name.toStdString();
    names << sample.name;
    warningsSaid.clear();
    const QtMessageHandler before = qInstallMessageHandler(keepWarning);

    const QTemporaryDir working;
    Theme theme;
    ThemeFiles files(theme, kDataDir, working.path());
    files.new_theme();
    ASSERT_TRUE(files.load_theme(sample.path));
    EXPECT_EQ(theme.name, sample.name);
    PageComposer composer(
        PageSources{nameDays, [](const QString& held) { return locateProgramPicture(kDataDir, held); }});
    int icons = 0;
    for (int month = 0; month < 12; ++month) {
      SCOPED_TRACE(month + 1);
      const ComposedPage composed = composer.compose(MonthRequest{snapshotOf(theme), 2016, month + 1, {}});
      const page::GeneratedPage& page = composed.page;
      EXPECT_TRUE(composed.warnings.isEmpty()) << composed.warnings.join(QLatin1Char('\n')).toStdString();
      // Each month its own background, all of them found.
      const Picture& background = page.find(QStringLiteral("bg_img"))->picture;
      EXPECT_FALSE(background.isNull());
      EXPECT_TRUE(background.fileName().endsWith(QStringLiteral("%1.jpg").arg(month + 1, 2, 10, QLatin1Char('0'))));
      EXPECT_FALSE(page.find(QStringLiteral("qri_left"))->picture.isNull());
      for (const page::Element& e : page.elements) {
        if (e.kind == page::ElementKind::Image && e.tag) icons += !e.picture.isNull();
        if (e.kind != page::ElementKind::Label || e.caption.isEmpty()) continue;
        // Every line of every text is shown whole, none wider than its box.
        const QStringList lines = page::labelLines(e);
        EXPECT_EQ(page::wholeLinesFitting(e, page::lineMetrics(e.font).height(), int(lines.size())), lines.size())
            << e.caption.toStdString();
        for (const QString& line : lines) EXPECT_LE(page::textWidth(e.font, line), e.width + 1) << line.toStdString();
      }
      QImage image(561, 401, QImage::Format_RGB32);
      QPainter painter(&image);
      page::drawPage(page, painter, page::DeviceMapping::forScreen(50));
    }
    EXPECT_GT(icons, 0) << "no holiday shows the theme's icon";
    qInstallMessageHandler(before);
    EXPECT_TRUE(warningsSaid.isEmpty()) << warningsSaid.join(QLatin1Char('\n')).toStdString();
  }
}

}  // namespace
}  // namespace orvella::testing
