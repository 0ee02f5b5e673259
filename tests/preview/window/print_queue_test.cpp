// Printing from the preview to a real print queue of a private CUPS scheduler, as a user with a printer
// does: a queue that refuses jobs or is stopped is said before anything is sent, a job the print system
// does not take is reported, and a job it takes arrives as a PDF.
#include <QApplication>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "preview/window/preview_request.h"
#include "preview/window/preview_window.h"
#include "tests/preview/engine/sample_pages.h"
#include "tests/support/files.h"
#include "tests/support/print_system.h"
#include "ui/dialog_seams.h"

using namespace orvella;
using orvella::preview::QRStandardPreview;
namespace print_system = orvella::testing::print_system;

namespace {

// Opens a preview of one page, presses Print once the page is there, and closes the window.
void printFromAPreview() {
  report::ReportSource source;
  source.generate = [] { return std::vector<page::GeneratedPage>{testing::samplePage()}; };
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* window = qobject_cast<QRStandardPreview*>(widget);
      if (!window || window->isClosed() || !window->generationFinished()) continue;
      poll.stop();
      window->findChild<QToolButton*>(QStringLiteral("Print"))->click();
      window->close();
    }
  });
  poll.start();
  preview::previewReport(source);
}

const QList<ui::MessageBoxRequest>& boxes() { return ui::seams().messageBoxes.requests(); }

}  // namespace

class PrintQueueTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    if (const QString missing = print_system::missing(); !missing.isEmpty()) QSKIP(qPrintable(missing));
    QVERIFY2(print_system::restore(), qPrintable(print_system::log()));
    ui::seams().cancelEverything();
  }

  void cleanup() { ui::seams().reset(); }

  void aQueueRefusingJobsIsSaidAndNothingIsSent() {
    QVERIFY(print_system::refuseJobs(QStringLiteral("Paper tray taken out")));
    printFromAPreview();
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].icon, QMessageBox::Warning);
    for (const QString& said : {print_system::queue(), QStringLiteral("nie przyjmuje"), QStringLiteral("Paper tray taken out")})
      QVERIFY2(boxes()[0].text.contains(said), qPrintable(boxes()[0].text));
    QCOMPARE(print_system::jobs(QStringLiteral("all")), QStringList());
  }

  void aStoppedQueueIsSaidAndTheUserChooses() {
    QVERIFY(print_system::stop(QStringLiteral("Toner low")));
    ui::seams().messageBoxes.setNextAnswer(QMessageBox::No);
    printFromAPreview();
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].icon, QMessageBox::Question);
    for (const QString& said : {print_system::queue(), QStringLiteral("zatrzymana"), QStringLiteral("Toner low")})
      QVERIFY2(boxes()[0].text.contains(said), qPrintable(boxes()[0].text));
    QCOMPARE(print_system::jobs(QStringLiteral("all")), QStringList());

    ui::seams().messageBoxes.setNextAnswer(QMessageBox::Yes);
    printFromAPreview();
    QCOMPARE(boxes().size(), 2);
    QCOMPARE(print_system::jobs(QStringLiteral("not-completed")).size(), 1);  // waiting in the queue
  }

  void aJobThePrintSystemDoesNotTakeIsReported() {
    // The queue says it takes jobs, then refuses this user's.
    QVERIFY(print_system::denyThisUser());
    printFromAPreview();
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].icon, QMessageBox::Critical);
    for (const QString& said : {print_system::queue(), QStringLiteral("nie przyjął")})
      QVERIFY2(boxes()[0].text.contains(said), qPrintable(boxes()[0].text));
    QCOMPARE(print_system::jobs(QStringLiteral("all")).join(QLatin1Char('|')), QString());
  }

  void aJobTakenArrivesAsAPdf() {
    printFromAPreview();
    QVERIFY2(boxes().isEmpty(), qPrintable(boxes().isEmpty() ? QString() : boxes()[0].text));
    const QStringList pdfs = print_system::arrivedPdfs(1);
    QVERIFY2(pdfs.size() == 1, qPrintable(print_system::log()));
    QVERIFY(testing::readFile(pdfs.front()).startsWith("%PDF"));
  }
};

QTEST_MAIN(PrintQueueTest)
#include "print_queue_test.moc"
