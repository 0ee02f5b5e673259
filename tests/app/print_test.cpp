// Printing through a real print system, as a user with a printer does: a month and the whole year
// from the preview's Print into the queue of a private CUPS scheduler, whose cups-pdf backend hands
// back each job as a PDF. What arrives has a page for each month on the paper chosen (A4 unless
// another was), the calendar lying across it (landscape), and the month names as text. The print
// system turns a landscape page onto the paper as a printer feeds it, upright: so the paper's size is
// checked either way round, and the page's direction by where its grey weekday bar runs.
#include <QAction>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

#include "app/main_window.h"
#include "app/program_state.h"
#include "tests/app/started_program.h"
#include "tests/preview/engine/sample_pages.h"
#include "tests/support/pdf_pages.h"
#include "tests/support/print_system.h"
#include "ui/dialog_seams.h"
#include "ui/printer_dialogs.h"

using namespace orvella;
namespace print_system = orvella::testing::print_system;

namespace {

const QStringList kMonths{"Styczeń", "Luty",     "Marzec",   "Kwiecień",    "Maj",      "Czerwiec",
                          "Lipiec",  "Sierpień", "Wrzesień", "Październik", "Listopad", "Grudzień"};

// A text as it can be read back from what the print system made: its conversion keeps the letters of
// Windows-1252 as text and draws the others (ń, ł, ś ...) as pictures, which read back as nothing or
// a blank. Compared without either.
QString asPrinted(const QString& text) {
  QString kept;
  for (const QChar c : text)
    if (c.unicode() < 0x100 && !c.isSpace()) kept += c;
  return kept;
}

// The papers of the pages in whole points, upright (the short side first).
QList<QSize> papers(const QString& pdf) {
  QList<QSize> sizes;
  for (const QSizeF& size : testing::pdfPageSizes(testing::readFile(pdf)))
    sizes << QSize(qRound(std::min(size.width(), size.height())),
                   qRound(std::max(size.width(), size.height())));
  return sizes;
}

// Whether the calendar on the page lies across the paper: its grey weekday bar, the longest grey run on
// the page, runs along the paper's long side for most of its length, as on a landscape sheet.
bool liesAcross(const QString& pdf, int page) {
  const QImage image = testing::rasterizePdf(pdf, page, 20);
  auto grey = [&image](int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return qAbs(c.red() - 128) < 12 && qAbs(c.green() - 128) < 12 && qAbs(c.blue() - 128) < 12;
  };
  auto longestRun = [&](bool alongRows) {
    const int lines = alongRows ? image.height() : image.width(),
              length = alongRows ? image.width() : image.height();
    int longest = 0;
    for (int line = 0; line < lines; ++line)
      for (int at = 0, run = 0; at < length; ++at) {
        run = (alongRows ? grey(at, line) : grey(line, at)) ? run + 1 : 0;
        longest = std::max(longest, run);
      }
    return longest;
  };
  const bool paperAcross = image.width() > image.height();
  const int along = longestRun(paperAcross), athwart = longestRun(!paperAcross);
  return along > std::max(image.width(), image.height()) * 6 / 10 && athwart < along / 4;
}

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::StartedProgram> program;

  // Opens the preview with `ask` and, once its pages are there, presses Print (after `setUp`, when
  // given, a press of Printer setup answered as the test says), then closes it. The one PDF that
  // arrives.
  QString printFrom(QAction* ask, const std::function<void(ui::PrinterSetupAnswer&)>& setUp = {}) {
    testing::ClosingPreviews previews;
    previews.beforeClosing = [&setUp](preview::QRStandardPreview& window) {
      if (setUp) {
        ui::PrinterSetupAnswer answer = ui::PrinterSetupAnswer::accept();
        setUp(answer);
        ui::seams().printerSetup.setNextAnswer(answer);
        window.findChild<QToolButton*>(QStringLiteral("PrintSetup"))->click();
      }
      window.findChild<QToolButton*>(QStringLiteral("Print"))->click();
    };
    ask->trigger();
    if (previews.opened() != 1) return QStringLiteral("<%1 previews>").arg(previews.opened());
    const QStringList pdfs = print_system::arrivedPdfs(1);
    return pdfs.size() == 1 ? pdfs.front() : QStringLiteral("<%1 PDFs>").arg(pdfs.size());
  }

  static QStringList errors() { return testing::messageBoxTexts(); }

 private slots:
  void init() {
    if (const QString missing = print_system::missing(); !missing.isEmpty()) QSKIP(qPrintable(missing));
    if (!testing::havePdfText())
      QSKIP("no private print system: pdftotext is missing (scripts/setup installs poppler-utils)");
    QVERIFY2(print_system::restore(), qPrintable(print_system::log()));
    ui::seams().cancelEverything();
    program = std::make_unique<testing::StartedProgram>(2009);  // 2010 in the year field
  }

  void cleanup() {
    program.reset();
    ui::seams().reset();
  }

  void aMonthArrivesOnALandscapeA4Sheet() {
    Tf_Main& main = program->main();
    main.cb_month->setCurrentRow(2);
    const QString pdf = printFrom(main.a_PrintPreview);
    QVERIFY2(errors().isEmpty(), qPrintable(errors().join(QLatin1Char('\n'))));
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf + QLatin1Char('\n') + print_system::log()));
    QCOMPARE(papers(pdf), QList<QSize>{QSize(595, 842)});
    QVERIFY(liesAcross(pdf, 1));
    const QString text = testing::pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Marzec")) && text.contains(QStringLiteral("2010")),
             qPrintable(text));
  }

  void theYearArrivesAsOneJobOfTwelvePagesInOrder() {
    Tf_Main& main = program->main();
    const QString pdf = printFrom(main.a_YearPreview);
    QVERIFY2(errors().isEmpty(), qPrintable(errors().join(QLatin1Char('\n'))));
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf + QLatin1Char('\n') + print_system::log()));
    QCOMPARE(papers(pdf), QList<QSize>(12, QSize(595, 842)));
    QVERIFY(liesAcross(pdf, 1) && liesAcross(pdf, 12));
    const QStringList pages = testing::pdfText(pdf).split(QLatin1Char('\f'));
    QVERIFY(pages.size() >= 12);
    for (int month = 0; month < 12; ++month)
      QVERIFY2(asPrinted(pages[month]).contains(asPrinted(kMonths[month])),
               qPrintable(QString::number(month + 1) + QLatin1Char(' ') + pages[month]));
  }

  void aPaperChosenInPrinterSetupIsThePaperThatArrives() {
    Tf_Main& main = program->main();
    main.cb_month->setCurrentRow(11);
    const QString pdf = printFrom(main.a_PrintPreview, [](ui::PrinterSetupAnswer& answer) {
      answer.changes = [](QPrinter& printer) { printer.setPageSize(QPageSize(QPageSize::Letter)); };
    });
    QVERIFY2(errors().isEmpty(), qPrintable(errors().join(QLatin1Char('\n'))));
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf + QLatin1Char('\n') + print_system::log()));
    QCOMPARE(papers(pdf), QList<QSize>{QSize(612, 792)});
    QVERIFY(liesAcross(pdf, 1));
    QVERIFY(asPrinted(testing::pdfText(pdf)).contains(asPrinted(QStringLiteral("Grudzień"))));
  }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
