// The year preview driven as a user would: from the File menu and the month list's pop-up menu,
// twelve pages that are the months' own previews, shown as they come, stopped by closing.
#include <QAction>
#include <QImage>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/year_spin_edit.h"
#include "calendar/page/page_json.h"
#include "tests/app/started_program.h"
#include "tests/support/files.h"
#include "ui/components.h"
#include "ui/dialog_seams.h"

using namespace orvella;

namespace {

QByteArray pageJson(const page::GeneratedPage& page) {
  return QJsonDocument(pageToJson(page, 0, 0)).toJson();
}

QStringList errors() { return testing::messageBoxTexts(QMessageBox::Critical); }

QList<preview::QRStandardPreview*> previewWindows() { return ui::windows().windowsOf<preview::QRStandardPreview>(); }

}  // namespace

class YearPreviewTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::StartedProgram> program;

  // The program with a theme whose backgrounds change in January and May only, and week numbers on.
  Tf_Main& start() {
    program = std::make_unique<testing::StartedProgram>(2009);
    Tf_Main& main = program->main();
    Theme& theme = main.state().theme;
    for (const auto& [month, colour] : {std::pair{0, Qt::cyan}, std::pair{4, Qt::yellow}}) {
      const QString path = program->folder.path(QStringLiteral("bg%1.bmp").arg(month + 1));
      QImage picture(30, 20, QImage::Format_RGB32);
      picture.fill(colour);
      picture.save(path, "BMP");
      theme.backgrounds[size_t(month)] = path;
    }
    theme.weekNumbers = true;
    theme.holidays[11][24] = HolidayEntry{QStringLiteral("*Boże Narodzenie"), kNationalHoliday};
    return main;
  }

 private slots:
  void init() { ui::seams().cancelEverything(); }
  void cleanup() {
    program.reset();
    ui::seams().reset();
  }

  // Its caption and hint are pinned by polski.lng with every other built-in text.
  void theActionSitsAfterThePreviewInTheFileMenuAndInThePopUpMenu() {
    Tf_Main& main = start();
    const QList<QAction*> file = main.menuBar()->findChild<QMenu*>(QStringLiteral("mi_File"))->actions();
    qsizetype preview = -1;
    for (qsizetype i = 0; i < file.size(); ++i)
      if (file[i]->objectName() == QLatin1String("Podgldwydruku1")) preview = i;
    QVERIFY(preview >= 0 && preview + 1 < file.size());
    QCOMPARE(file[preview + 1]->objectName(), QStringLiteral("mi_YearPreview"));
    QCOMPARE(ui::linkedAction(file[preview + 1]), main.a_YearPreview);
    QAction* popUp = main.pm_Calendar->findChild<QAction*>(QStringLiteral("Podgldroku1"));
    QVERIFY(popUp && main.pm_Calendar->actions().contains(popUp));
    QCOMPARE(ui::linkedAction(popUp), main.a_YearPreview);
  }

  // The pages equal twelve month previews asked for one after another, backgrounds kept from month to
  // month as those leave them; the preview says how far it is and pages to December.
  void twelvePagesAreTheMonthsOwnPreviews() {
    Tf_Main& main = start();
    testing::ClosingPreviews previews;
    QList<QByteArray> months;
    previews.beforeClosing = [&months](preview::QRStandardPreview& window) {
      for (const page::GeneratedPage& page : window.pages()) months << pageJson(page);
    };
    for (int month = 0; month < 12; ++month) {
      main.cb_month->setCurrentRow(month);
      main.a_PrintPreview->trigger();
    }
    QCOMPARE(months.size(), 12);

    QList<QByteArray> year;
    QStringList progress;
    QString pagePanel;
    previews.beforeClosing = [&](preview::QRStandardPreview& window) {
      for (const page::GeneratedPage& page : window.pages()) year << pageJson(page);
      window.showPage(12);
      pagePanel = window.findChild<QLabel*>(QStringLiteral("PagePanel"))->text();
      testing::keepScreenshot(window, QStringLiteral("year_preview_december"));
    };
    // Watches the status bar while the months come.
    QTimer watch;
    watch.setInterval(0);
    connect(&watch, &QTimer::timeout, [&] {
      for (preview::QRStandardPreview* window : previewWindows())
        if (!window->generationFinished()) {
          const QString text = window->findChild<QLabel*>(QStringLiteral("ProgressPanel"))->text();
          if (progress.isEmpty() || progress.last() != text) progress << text;
        }
    });
    watch.start();
    main.cb_month->setCurrentRow(3);
    main.a_YearPreview->trigger();
    watch.stop();

    QVERIFY2(errors().isEmpty(), qPrintable(errors().join(QLatin1Char('\n'))));
    QCOMPARE(previews.opened(), 13);
    QCOMPARE(year.size(), 12);
    for (int month = 0; month < 12; ++month)
      QVERIFY2(year[month] == months[month], qPrintable(QString::number(month + 1)));
    QCOMPARE(pagePanel, QStringLiteral("Page 12 of 12"));
    QVERIFY2(progress.size() >= 3, qPrintable(progress.join(QLatin1Char(' '))));  // it grew as months came
    QCOMPARE(f_Print->page().find(QStringLiteral("qr_miech"))->caption, QStringLiteral("Grudzień"));
  }

  // Closing stops the composition; while it runs, the page is not composed under it by anything else.
  void closingStopsAndNothingElseComposesMeanwhile() {
    Tf_Main& main = start();
    testing::ClosingPreviews previews;
    int shown = -1;
    testing::when([] { return !previewWindows().isEmpty() && !previewWindows().front()->pages().empty(); },
                  [&] {
                    main.a_PrintPreview->trigger();  // dropped with a beep
                    main.a_YearPreview->trigger();   // as well
                    preview::QRStandardPreview* window = previewWindows().front();
                    shown = int(window->pages().size());
                    window->close();
                  });
    main.a_YearPreview->trigger();
    QCOMPARE(previews.opened(), 1);
    QVERIFY2(shown >= 1 && shown < 12, qPrintable(QString::number(shown)));
    QCOMPARE(f_Print->page().find(QStringLiteral("qr_miech"))->caption, main.cb_month->item(shown - 1)->text());
    // The page is free again.
    main.a_PrintPreview->trigger();
    QCOMPARE(previews.opened(), 2);
  }

  // A background that cannot be read is left off the months that show it, said once for the whole
  // year, and every month is composed.
  void anUnreadablePictureIsSaidOnceAndTheYearGoesOn() {
    Tf_Main& main = start();
    const QString broken = program->folder.path(QStringLiteral("broken.jpg"));
    QVERIFY(testing::writeFile(broken, "\xFF\xD8 not quite a JPEG"));
    main.state().theme.backgrounds[2] = main.state().theme.backgrounds[3] = broken;
    testing::ClosingPreviews previews;
    int pages = 0;
    previews.beforeClosing = [&pages](preview::QRStandardPreview& window) { pages = int(window.pages().size()); };
    main.a_YearPreview->trigger();
    QCOMPARE(pages, 12);
    const QStringList warnings = testing::messageBoxTexts(QMessageBox::Warning);
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.front().contains(broken), qPrintable(warnings.front()));
    QVERIFY(errors().isEmpty());
  }

  void anImpossibleYearOpensNoWindow() {
    Tf_Main& main = start();
    testing::ClosingPreviews previews;
    main.se_year->editor()->setText(QStringLiteral("12000"));
    main.a_YearPreview->trigger();
    QCOMPARE(errors(), QStringList{QStringLiteral("Invalid argument to date encode")});
    QCOMPARE(previews.opened(), 0);
  }
};

QTEST_MAIN(YearPreviewTest)
#include "year_preview_test.moc"
