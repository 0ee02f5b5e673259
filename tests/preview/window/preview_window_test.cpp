// The preview window driven as a user would: generation, zoom, paging, keys, printer setup, printing
// into a PDF, and report files through the Save and Load buttons.
#include <functional>
#include <QApplication>
#include <QDialogButtonBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "platform/errors/error.h"
#include "platform/pictures/picture.h"
#include "preview/engine/report_file.h"
#include "preview/engine/zoom.h"
#include "preview/window/page_view.h"
#include "preview/window/preview_request.h"
#include "preview/window/preview_window.h"
#include "preview/window/print_job.h"
#include "preview/window/printer_setup.h"
#include "tests/preview/engine/sample_pages.h"
#include "tests/support/message_boxes.h"
#include "tests/support/pdf_pages.h"
#include "ui/dialog_seams.h"
#include "ui/file_filter.h"
#include "ui/printer_setup_dialog.h"

using namespace orvella;
using orvella::preview::QRStandardPreview;

namespace {

std::vector<page::GeneratedPage> pagesOf(int count) {
  std::vector<page::GeneratedPage> pages;
  for (int i = 0; i < count; ++i)
    pages.push_back(testing::samplePage(QStringLiteral("Strona %1").arg(i + 1)));
  return pages;
}

// The open preview windows other than those listed.
QRStandardPreview* openPreview(const QList<QRStandardPreview*>& besides = {}) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* preview = qobject_cast<QRStandardPreview*>(widget);
        preview && !preview->isClosed() && !besides.contains(preview))
      return preview;
  return nullptr;
}

QList<QRStandardPreview*> openPreviews() {
  QList<QRStandardPreview*> all;
  while (QRStandardPreview* more = openPreview(all)) all << more;
  return all;
}

QToolButton* button(QWidget& window, const char* name) {
  return window.findChild<QToolButton*>(QString::fromLatin1(name));
}

QString panelText(QWidget& window, const char* name) {
  QLabel* panel = window.findChild<QLabel*>(QString::fromLatin1(name));
  return panel ? panel->text() : QStringLiteral("<none>");
}

QPoint scrollPosition(QRStandardPreview& window) {
  return {window.view()->horizontalScrollBar()->value(), window.view()->verticalScrollBar()->value()};
}

struct Request {
  preview::PreviewOutcome outcome;
  int afterPreview = 0;
  bool windowGone = false;
};

// Runs a preview request. `tick` is called on every turn of the events while the request runs, with
// the open preview (or nullptr before it opens); it returns true when it is done with the window,
// which is then closed if still open.
Request runPreview(std::vector<page::GeneratedPage> pages, std::function<bool(QRStandardPreview*)> tick) {
  Request request;
  report::ReportSource source;
  source.generate = [pages] { return pages; };
  source.afterPreview = [&] { ++request.afterPreview; };

  // Only the window this request opens counts, not one a request further out keeps open.
  const QList<QRStandardPreview*> earlier = openPreviews();
  QPointer<QRStandardPreview> seen;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QRStandardPreview* window = openPreview(earlier);
    if (window) seen = window;
    if (tick(window)) {
      poll.stop();
      if (window && !window->isClosed()) window->close();
    }
  });
  // However a test goes wrong, the request does not hang the run.
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    if (QRStandardPreview* window = openPreview(earlier)) window->close();
  });
  watchdog.start(30000);
  poll.start();
  request.outcome = preview::previewReport(source);
  poll.stop();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  request.windowGone = seen.isNull();
  return request;
}

// Waits for the window to finish its generation, then runs the check once.
Request whenGenerated(std::vector<page::GeneratedPage> pages, std::function<void(QRStandardPreview&)> check) {
  return runPreview(std::move(pages), [&](QRStandardPreview* window) {
    if (!window || !window->generationFinished()) return false;
    check(*window);
    return true;
  });
}

// Every print job of the test goes into a PDF of that name in folder: its path.
QString printsInto(const QTemporaryDir& folder, const QString& name) {
  const QString pdf = folder.filePath(name);
  ui::seams().printTargets.setAnswerer([pdf](const ui::PrintJobRequest&) { return pdf; });
  return pdf;
}

// The progress window of a job under way, once its first pages have gone out; nullptr otherwise.
QWidget* progressPastTheStart() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() != QLatin1String("PrintProgress") || !widget->isVisible()) continue;
    const QLabel* text = widget->findChild<QLabel*>(QStringLiteral("ProgressText"));
    if (text && text->text() != QLatin1String("0%  Completed")) return widget;
  }
  return nullptr;
}

// A printer driver's manner: a whole layout whose margins lie inside the unprintable border is refused
// and changes nothing, while the paper and the orientation are taken one by one (unless told not to).
class BorderedPrinter : public QPrinter {
 public:
  static constexpr double kBorderMm = 4;
  bool takesOrientation = true;

  bool setPageLayout(const QPageLayout& layout) override {
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    if (std::min({margins.left(), margins.top(), margins.right(), margins.bottom()}) < kBorderMm)
      return false;
    return QPrinter::setPageLayout(layout);
  }
  bool setPageOrientation(QPageLayout::Orientation orientation) override {
    return takesOrientation && QPrinter::setPageOrientation(orientation);
  }
};

}  // namespace

class PreviewWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  // The window as it opens.
  void toolBarHasEveryButtonInOrderWithItsHint();
  void statusPanelsStartWithTheirTexts();

  // The preview request.
  void printButtonsWaitForTheEndOfGeneration();
  void closingWhileGeneratingReturnsToTheCaller();
  void failingGenerationClosesTheWindowAndReachesTheCaller();
  void escapeAndCloseButtonCloseTheWindow();
  void secondRequestLeavesTheFirstPreviewAlone();

  // Zoom and paging.
  void firstPageIsZoomedToWidthAndZoomKeepsThroughResize();
  void zoomToFitAndCentring();
  void onePageNavigationLeavesTheViewUnchanged();
  void keysAndButtonsMoveBetweenPages();
  void keysPrintSaveZoomAndClose();

  // Printing.
  void printerSetupCancelKeepsAndOkStoresTheSettings();
  void printerSetupChoosesAndNeverPrints();
  void printWithoutAPrinterPointsToSavingAPdf();
  void savePdfWritesTheShownPages();
  void saveImageWritesAFilePerPage();
  void printButtonPrintsIntoAPdf();
  void printerSetupOffersAnyPaper();
  void paperChosenInPrinterSetupIsShownAndPrinted();
  void cancelInTheProgressWindowStopsTheJob();
  void closingWhilePrintingStopsTheJobAndClosesAfterIt();
  void printerRefusingWholeLayoutsStillTakesPaperAndOrientation();
  void printerKeepingItsOwnPaperGetsTheSheetScaledOntoIt();
  void printerWithAMarginPutsElementsAtTheirSheetPositions();

  // Report files.
  void saveAndLoadUseTheirTitlesFiltersAndStates();
  void loadingMissingOrDamagedFilesChangesNothing();
  void reportWithoutPagesIsRefusedAndSaveWaitsForAPage();

  // Pictures of the window for a person to look at, when ORVELLA_PREVIEW_SHOTS names a folder.
  void screenshots();

 private:
  // The texts of the message boxes shown so far.
  static QStringList messages() { return testing::messageBoxTexts(); }
};

void PreviewWindowTest::init() {
  ui::seams().reset();
  ui::seams().cancelEverything();
}

void PreviewWindowTest::cleanup() {
  ui::seams().reset();
}

void PreviewWindowTest::toolBarHasEveryButtonInOrderWithItsHint() {
  QRStandardPreview window;
  QCOMPARE(window.objectName(), QStringLiteral("QRStandardPreview"));
  QCOMPARE(window.view()->objectName(), QStringLiteral("QRPreview"));
  QToolBar* bar = window.findChild<QToolBar*>();
  QVERIFY(bar);

  QStringList order, hints;
  for (QAction* action : bar->actions()) {
    if (action->isSeparator()) {
      order << QStringLiteral("|");
      continue;
    }
    QWidget* widget = bar->widgetForAction(action);
    QVERIFY(widget);
    order << widget->objectName();
    hints << widget->toolTip();
  }
  QCOMPARE(order, QStringList({"ZoomFit", "Zoom100", "ZoomToWidth", "|", "FirstPage", "PreviousPage",
                               "ToolButton2", "LastPage", "|", "PrintSetup", "Print", "|", "SaveReport",
                               "LoadReport", "SavePdf", "SaveImage", "|", "ExitButton"}));
  QCOMPARE(hints,
           QStringList({"Zoom to fit", "100%", "Zoom to width", "First page", "Previous page", "Next page",
                        "Last page", "Printer setup", "Print", "Save Report", "Load Report", "Save as PDF",
                        "Save as image", ""}));

  QVERIFY(button(window, "ZoomToWidth")->isChecked());
  QVERIFY(!button(window, "ZoomFit")->isChecked());
  for (const char* zoom : {"ZoomFit", "Zoom100", "ZoomToWidth"}) QVERIFY(button(window, zoom)->isCheckable());
  QVERIFY(!button(window, "PrintSetup")->isEnabled());
  QVERIFY(!button(window, "Print")->isEnabled());
  QVERIFY(!button(window, "SaveReport")->isEnabled());  // nothing to save yet
  QVERIFY(!button(window, "SavePdf")->isEnabled());
  QCOMPARE(button(window, "ExitButton")->text(), QStringLiteral("&Close"));

  // The zoom buttons are one group: pressing one releases the others.
  button(window, "Zoom100")->click();
  QVERIFY(button(window, "Zoom100")->isChecked());
  QVERIFY(!button(window, "ZoomToWidth")->isChecked());
}

void PreviewWindowTest::statusPanelsStartWithTheirTexts() {
  QRStandardPreview window;
  QLabel* progress = window.findChild<QLabel*>(QStringLiteral("ProgressPanel"));
  QLabel* page = window.findChild<QLabel*>(QStringLiteral("PagePanel"));
  QVERIFY(progress && page);
  QCOMPARE(progress->text(), QStringLiteral("0%"));
  QCOMPARE(progress->width(), 40);
  QVERIFY(progress->alignment() & Qt::AlignRight);
  QCOMPARE(page->text(), QStringLiteral("Page"));
  QCOMPARE(page->minimumWidth(), 50);
}

void PreviewWindowTest::printButtonsWaitForTheEndOfGeneration() {
  struct Sample {
    int pages;
    bool setup;
    bool print;
    bool finished;
    QString progress;
  };
  std::vector<Sample> samples;
  QString caption;
  bool maximised = false;
  const Request request = runPreview(pagesOf(4), [&](QRStandardPreview* window) {
    if (!window) return false;
    caption = window->windowTitle();
    maximised = window->isMaximized();
    samples.push_back({static_cast<int>(window->pages().size()), button(*window, "PrintSetup")->isEnabled(),
                       button(*window, "Print")->isEnabled(), window->generationFinished(),
                       panelText(*window, "ProgressPanel")});
    return window->generationFinished();
  });

  QVERIFY(samples.size() >= 2);
  for (const Sample& s : samples) {
    if (s.finished) continue;
    QVERIFY2(!s.setup && !s.print, qPrintable(QStringLiteral("usable with %1 pages").arg(s.pages)));
  }
  QVERIFY(samples.front().pages < 4);  // seen while generating
  QStringList progress;
  for (const Sample& s : samples)
    if (progress.isEmpty() || progress.back() != s.progress) progress << s.progress;
  QCOMPARE(progress, QStringList({"", "25%", "50%", "75%", ""}));  // emptied at 0 and at 100
  QVERIFY(samples.back().finished && samples.back().setup && samples.back().print);
  QCOMPARE(caption, QStringLiteral(" b"));
  QVERIFY(maximised);
  QCOMPARE(request.outcome.pagesShown, 4);
  QVERIFY(request.outcome.generationFinished);
  QCOMPARE(request.afterPreview, 1);
}

void PreviewWindowTest::closingWhileGeneratingReturnsToTheCaller() {
  const Request request = runPreview(pagesOf(6), [](QRStandardPreview* window) {
    return window && !window->pages().empty();  // close as soon as the first page is there
  });
  QVERIFY(request.outcome.pagesShown < 6);
  QVERIFY(!request.outcome.generationFinished);
  QCOMPARE(request.afterPreview, 1);
  QVERIFY(request.windowGone);
}

void PreviewWindowTest::failingGenerationClosesTheWindowAndReachesTheCaller() {
  report::ReportSource source;
  int afterPreview = 0;
  source.generate = []() -> std::vector<page::GeneratedPage> { throw Error(QStringLiteral("no pictures")); };
  source.afterPreview = [&] { ++afterPreview; };
  QString message;
  try {
    preview::previewReport(source);
  } catch (const Error& error) {
    message = error.message();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCOMPARE(message, QStringLiteral("no pictures"));
  QCOMPARE(afterPreview, 1);
  QVERIFY(!openPreview());
}

void PreviewWindowTest::escapeAndCloseButtonCloseTheWindow() {
  bool closedByKey = false;
  Request request = whenGenerated(pagesOf(1), [&](QRStandardPreview& window) {
    QTest::keyClick(window.view(), Qt::Key_Escape);
    closedByKey = window.isClosed();
  });
  QVERIFY(closedByKey);
  QVERIFY(request.windowGone);
  QCOMPARE(request.afterPreview, 1);

  bool closedByButton = false;
  request = whenGenerated(pagesOf(1), [&](QRStandardPreview& window) {
    button(window, "ExitButton")->click();
    closedByButton = window.isClosed();
  });
  QVERIFY(closedByButton);
  QVERIFY(request.windowGone);
}

void PreviewWindowTest::secondRequestLeavesTheFirstPreviewAlone() {
  // The first preview keeps its own copy of the page: a second request (another month) opens a window
  // of its own and changes nothing in the first.
  QString firstCaptionLater, secondMonth;
  int firstPagesLater = 0;
  Request inner;
  const Request outer = whenGenerated(pagesOf(2), [&](QRStandardPreview& first) {
    std::vector<page::GeneratedPage> other{testing::samplePage(QStringLiteral("Marzec"))};
    other[0].settings.title = QStringLiteral("second");
    inner = runPreview(other, [&](QRStandardPreview* window) {
      if (!window || !window->generationFinished()) return false;
      secondMonth = window->pages().front().elements[5].caption;
      return true;
    });
    firstCaptionLater = first.windowTitle();
    firstPagesLater = static_cast<int>(first.pages().size());
    QCOMPARE(first.pages().front().elements[5].caption, QStringLiteral("Strona 1"));
  });
  QCOMPARE(secondMonth, QStringLiteral("Marzec"));
  QCOMPARE(inner.afterPreview, 1);
  QCOMPARE(firstCaptionLater, QStringLiteral(" b"));
  QCOMPARE(firstPagesLater, 2);
  QCOMPARE(outer.afterPreview, 1);
}

void PreviewWindowTest::firstPageIsZoomedToWidthAndZoomKeepsThroughResize() {
  int arrival = 0, expected = 0, after100 = 0, afterResize = 0, againWidth = 0;
  QPoint scrolledAfterZoom(-1, -1);
  whenGenerated(pagesOf(1), [&](QRStandardPreview& window) {
    const QSizeF sheet = report::sheetPixelsAt100(window.pages().front().settings);
    arrival = window.zoom();
    expected = report::zoomToWidth(window.view()->viewport()->width(), sheet);

    button(window, "Zoom100")->click();
    after100 = window.zoom();
    window.view()->verticalScrollBar()->setValue(50);
    window.showNormal();
    window.resize(700, 500);
    QCoreApplication::processEvents();
    afterResize = window.zoom();

    window.view()->horizontalScrollBar()->setValue(30);
    button(window, "ZoomToWidth")->click();
    againWidth = window.zoom();
    scrolledAfterZoom = scrollPosition(window);
  });
  QVERIFY(arrival > 2);
  QCOMPARE(arrival, expected);
  QCOMPARE(after100, 100);
  QCOMPARE(afterResize, 100);
  QVERIFY(againWidth != 100);
  QCOMPARE(scrolledAfterZoom, QPoint(0, 0));
}

void PreviewWindowTest::zoomToFitAndCentring() {
  whenGenerated(pagesOf(1), [&](QRStandardPreview& window) {
    button(window, "ZoomFit")->click();
    const QSizeF sheet = report::sheetPixelsAt100(window.pages().front().settings);
    const QSize viewport = window.view()->viewport()->size();
    QCOMPARE(window.zoom(), report::zoomToFit(viewport, sheet));

    // Smaller than the view: centred both ways with the border around it.
    const QPoint origin = window.view()->sheetOrigin();
    const QSize content = window.view()->contentSize();
    QCOMPARE(origin.x() - report::kPageBorder, (viewport.width() - content.width()) / 2);
    QCOMPARE(origin.y() - report::kPageBorder, (viewport.height() - content.height()) / 2);
    QCOMPARE(content, window.view()->sheetSize() + QSize(8, 8));

    // Larger than the view: from the top-left corner, scrolled.
    button(window, "Zoom100")->click();
    QVERIFY(window.view()->sheetSize().width() > viewport.width());
    QCOMPARE(window.view()->sheetOrigin(), QPoint(report::kPageBorder, report::kPageBorder));
    window.view()->horizontalScrollBar()->setValue(40);
    QCOMPARE(window.view()->sheetOrigin().x(), report::kPageBorder - 40);

    // Factors outside 2..2000 are ignored.
    QVERIFY(!window.view()->setZoom(1));
    QVERIFY(!window.view()->setZoom(2001));
    QCOMPARE(window.zoom(), 100);
  });
}

void PreviewWindowTest::onePageNavigationLeavesTheViewUnchanged() {
  QString panel;
  QPoint before, after;
  int zoomBefore = 0, zoomAfter = 0;
  whenGenerated(pagesOf(1), [&](QRStandardPreview& window) {
    button(window, "Zoom100")->click();
    window.view()->horizontalScrollBar()->setValue(25);
    window.view()->verticalScrollBar()->setValue(35);
    before = scrollPosition(window);
    zoomBefore = window.zoom();
    for (const char* name : {"FirstPage", "PreviousPage", "ToolButton2", "LastPage"})
      button(window, name)->click();
    for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End})
      QTest::keyClick(window.view(), key);
    QTest::keyClick(window.view(), Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(window.view(), Qt::Key_PageDown, Qt::ControlModifier);
    after = scrollPosition(window);
    zoomAfter = window.zoom();
    panel = panelText(window, "PagePanel");
  });
  QVERIFY(before != QPoint(0, 0));
  QCOMPARE(after, before);
  QCOMPARE(zoomAfter, zoomBefore);
  QCOMPARE(panel, QStringLiteral("Page 1 of 1"));
}

void PreviewWindowTest::keysAndButtonsMoveBetweenPages() {
  QStringList visited;
  QPoint scrollAfterMove(-1, -1);
  whenGenerated(pagesOf(3), [&](QRStandardPreview& window) {
    auto note = [&] { visited << panelText(window, "PagePanel"); };
    note();
    QTest::keyClick(window.view(), Qt::Key_PageDown);
    note();
    QTest::keyClick(window.view(), Qt::Key_PageDown, Qt::ControlModifier);
    note();
    QTest::keyClick(window.view(), Qt::Key_PageUp);
    note();
    QTest::keyClick(window.view(), Qt::Key_PageUp, Qt::ControlModifier);
    note();
    QTest::keyClick(window.view(), Qt::Key_End);
    note();
    QTest::keyClick(window.view(), Qt::Key_Home);
    note();
    // Ctrl with Shift is not Ctrl alone: one page on.
    QTest::keyClick(window.view(), Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier);
    note();
    button(window, "LastPage")->click();
    note();
    button(window, "PreviousPage")->click();
    note();
    button(window, "Zoom100")->click();
    window.view()->verticalScrollBar()->setValue(60);
    button(window, "ToolButton2")->click();
    scrollAfterMove = scrollPosition(window);
    note();
    button(window, "FirstPage")->click();
    note();
  });
  QCOMPARE(visited, QStringList({"Page 1 of 3", "Page 2 of 3", "Page 3 of 3", "Page 2 of 3", "Page 1 of 3",
                                 "Page 3 of 3", "Page 1 of 3", "Page 2 of 3", "Page 3 of 3", "Page 2 of 3",
                                 "Page 3 of 3", "Page 1 of 3"}));
  QCOMPARE(scrollAfterMove, QPoint(0, 0));
}

void PreviewWindowTest::keysPrintSaveZoomAndClose() {
  QTemporaryDir folder;
  const QString pdf = printsInto(folder, QStringLiteral("keys.pdf"));
  QList<int> zooms;
  whenGenerated(pagesOf(1), [&](QRStandardPreview& window) {
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Plus), QKeyCombination(Qt::Key_Minus), Qt::CTRL | Qt::Key_Minus,
                                      Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_P, Qt::CTRL | Qt::Key_W}) {
      window.activateWindow();  // as the desktop does when the printing window closes
      QVERIFY(QTest::qWaitForWindowActive(&window));
      QTest::keyClick(window.view(), key.key(), key.keyboardModifiers());
      zooms << window.zoom();
    }
    QVERIFY(window.isClosed());
  });
  QVERIFY(zooms[0] > zooms[1] && zooms[1] > zooms[2]);
  QCOMPARE(ui::seams().fileDialogs.requests().size(), 1);
  QCOMPARE(testing::pdfPageCount(pdf), 1);
}

void PreviewWindowTest::printerSetupCancelKeepsAndOkStoresTheSettings() {
  std::vector<page::PageSettings> stored;
  int offeredPages = 0;
  QPrinter::PrintRange offeredRange = QPrinter::PageRange;
  report::ReportSource source;
  source.generate = [] { return pagesOf(2); };
  source.storeSettings = [&](const page::PageSettings& s) { stored.push_back(s); };

  page::PageSettings afterCancel, afterOk;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QRStandardPreview* window = openPreview();
    if (!window || !window->generationFinished()) return;
    poll.stop();
    auto& setup = ui::seams().printerSetup;
    setup.setNextAnswer(ui::PrinterSetupAnswer::cancel([](QPrinter& printer) { printer.setCopyCount(5); }));
    button(*window, "PrintSetup")->click();
    afterCancel = window->settings();
    offeredPages = setup.requests().last().pageCount;
    offeredRange = setup.requests().last().range;
    setup.setNextAnswer(ui::PrinterSetupAnswer::accept([](QPrinter& printer) {
      printer.setCopyCount(3);
      printer.setPrintRange(QPrinter::PageRange);
      printer.setFromTo(2, 2);
      printer.setPageOrientation(QPageLayout::Portrait);
    }));
    button(*window, "PrintSetup")->click();
    afterOk = window->settings();
    window->close();
  });
  poll.start();
  preview::previewReport(source);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  const page::PageSettings standard;
  QCOMPARE(offeredPages, 2);
  QCOMPARE(offeredRange, QPrinter::AllPages);
  QVERIFY(afterCancel == standard);
  QCOMPARE(afterOk.copies, 3);
  QCOMPARE(afterOk.firstPage, 2);
  QCOMPARE(afterOk.lastPage, 2);
  QVERIFY(!afterOk.landscape);
  QCOMPARE(afterOk.paperWidthMm, 210.0);
  QCOMPARE(afterOk.paperHeightMm, 297.0);
  QCOMPARE(static_cast<int>(stored.size()), 1);
  QVERIFY(stored.front() == afterOk);

  // A range in the settings is what the next setup presets; all pages preset 1..count.
  QPrinter printer;
  preview::presetPageRange(printer, afterOk, 2);
  QCOMPARE(printer.printRange(), QPrinter::PageRange);
  QCOMPARE(printer.fromPage(), 2);
  preview::presetPageRange(printer, standard, 4);
  QCOMPARE(printer.printRange(), QPrinter::AllPages);
  QCOMPARE(printer.toPage(), 4);
}

void PreviewWindowTest::printerSetupChoosesAndNeverPrints() {
  // The real dialog, used as a person would: it says what it is for, offers OK rather than Print, and
  // its OK only keeps the choices.
  ui::seams().printerSetup.reset();
  QString title;
  QStringList labels, buttons;
  bool changed = false;
  page::PageSettings after;
  whenGenerated(pagesOf(3), [&](QRStandardPreview& window) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      title = dialog->windowTitle();
      for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text().remove(QLatin1Char('&'));
      for (const QPushButton* push : dialog->findChildren<QPushButton*>())
        if (push->isVisible()) buttons << push->text().remove(QLatin1Char('&'));
      auto* portrait = dialog->findChild<QRadioButton*>(QStringLiteral("Portrait"));
      auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("Copies"));
      auto* range = dialog->findChild<QRadioButton*>(QStringLiteral("PageRange"));
      auto* to = dialog->findChild<QSpinBox*>(QStringLiteral("ToPage"));
      auto* box = dialog->findChild<QDialogButtonBox*>();
      if (!portrait || !copies || !range || !to || !box) return dialog->reject();
      portrait->click();
      copies->setValue(2);
      range->click();
      to->setValue(2);
      changed = true;
      box->button(QDialogButtonBox::Ok)->click();
    });
    button(window, "PrintSetup")->click();
    after = window.settings();
  });
  // No language is applied here: the dialog's own texts are the built-in Polish ones, Qt's buttons English.
  QCOMPARE(title, QStringLiteral("Ustawienia drukarki"));
  for (const char* wanted : {"Drukarka:", "Papier:", "Orientacja:"})
    QVERIFY2(labels.contains(QString::fromUtf8(wanted)), qPrintable(labels.join(QLatin1Char('|'))));
  QCOMPARE(buttons, QStringList({"OK", "Cancel"}));
  QVERIFY(changed);
  QVERIFY(!after.landscape);
  QCOMPARE(after.copies, 2);
  QCOMPARE(after.firstPage, 1);
  QCOMPARE(after.lastPage, 2);
  QVERIFY(ui::seams().printTargets.requests().isEmpty());  // nothing printed
  QVERIFY(messages().isEmpty());

  page::PageSettings settings;
  settings.copies = 2;
  settings.title = QStringLiteral(" b");
  QPrinter printer;
  preview::configurePrinter(printer, settings);
  QCOMPARE(printer.copyCount(), 2);
  QCOMPARE(printer.docName(), QStringLiteral(" b"));
  QVERIFY(printer.fullPage());
  QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

void PreviewWindowTest::printWithoutAPrinterPointsToSavingAPdf() {
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("printers are installed where this test runs");
  bool progressShown = false;
  whenGenerated(pagesOf(1), [&](QRStandardPreview& window) {
    QTimer::singleShot(0, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets())
        progressShown |= widget->objectName() == QLatin1String("PrintProgress") && widget->isVisible();
    });
    button(window, "Print")->click();
  });
  const auto& boxes = ui::seams().messageBoxes.requests();
  QCOMPARE(boxes.size(), 1);
  QCOMPARE(boxes[0].icon, QMessageBox::Warning);
  // No scheduler answers here: the message names where it should, rather than saying none is installed.
  QVERIFY2(boxes[0].text.contains(QStringLiteral("nie odpowiada")) &&
               boxes[0].text.contains(QString::fromLocal8Bit(qgetenv("CUPS_SERVER"))),
           qPrintable(boxes[0].text));
  QVERIFY2(boxes[0].text.contains(QStringLiteral("Zapisz jako PDF")), qPrintable(boxes[0].text));
  QVERIFY(!progressShown);
}

void PreviewWindowTest::savePdfWritesTheShownPages() {
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("calendar.pdf"));
  ui::seams().fileDialogs.setNextAnswer(pdf);
  whenGenerated(pagesOf(3), [&](QRStandardPreview& window) {
    window.showPage(2);
    QToolButton* save = button(window, "SavePdf");
    QVERIFY(save);
    save->click();
  });
  const auto& dialogs = ui::seams().fileDialogs.requests();
  QCOMPARE(dialogs.size(), 1);
  QCOMPARE(dialogs[0].kind, ui::FileDialogRequest::Save);
  QCOMPARE(dialogs[0].title, QStringLiteral("Zapisz jako PDF"));
  QCOMPARE(dialogs[0].defaultSuffix, QStringLiteral("pdf"));
  QVERIFY(messages().isEmpty());
  QCOMPARE(testing::pdfPageCount(pdf), 3);  // every page, not only the one shown
}

// PNG or SVG as the name chosen ends, a numbered file for each page.
void PreviewWindowTest::saveImageWritesAFilePerPage() {
  QTemporaryDir folder;
  ui::seams().fileDialogs.setNextAnswer(folder.filePath(QStringLiteral("month.svg")));
  ui::seams().fileDialogs.setNextAnswer(folder.filePath(QStringLiteral("month.png")));
  whenGenerated(pagesOf(2), [&](QRStandardPreview& window) {
    button(window, "SaveImage")->click();
    button(window, "SaveImage")->click();
  });
  QCOMPARE(ui::seams().fileDialogs.requests().at(0).title, QStringLiteral("Zapisz jako obraz"));
  QVERIFY(messages().isEmpty());
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
           QStringList({"month-01.png", "month-01.svg", "month-02.png", "month-02.svg"}));
  QVERIFY(testing::readFile(folder.filePath(QStringLiteral("month-02.svg"))).contains("<svg"));
  QCOMPARE(QImage(folder.filePath(QStringLiteral("month-01.png"))).width(), qRound(297 / 25.4 * 150));
}

void PreviewWindowTest::printButtonPrintsIntoAPdf() {
  QTemporaryDir folder;
  const QString pdf = printsInto(folder, QStringLiteral("printed.pdf"));
  bool progressShown = false;
  whenGenerated(pagesOf(2), [&](QRStandardPreview& window) {
    QTimer::singleShot(0, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("PrintProgress") && widget->isVisible())
          progressShown = true;
    });
    button(window, "Print")->click();
    QVERIFY(!window.isPrinting());
  });
  QVERIFY(messages().isEmpty());
  QVERIFY(progressShown);
  QCOMPARE(testing::pdfPageCount(pdf), 2);
}

// The printer setup offers other papers than A4, and its OK gives the printer the one chosen; the
// settings then keep it as the paper the page is printed on.
void PreviewWindowTest::printerSetupOffersAnyPaper() {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  preview::configurePrinter(printer, page::PageSettings{});
  ui::PrinterSetupDialog setup(printer, 1);
  auto* paper = setup.findChild<QComboBox*>(QStringLiteral("Paper"));
  QVERIFY(paper && paper->isEnabled());
  QCOMPARE(paper->currentText(), QPageSize(QPageSize::A4).name());
  for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::Letter, QPageSize::Legal})
    QVERIFY2(paper->findText(QPageSize(id).name()) >= 0, qPrintable(QPageSize(id).name()));
  paper->setCurrentIndex(paper->findText(QPageSize(QPageSize::Legal).name()));
  setup.accept();
  QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Legal);
  QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
  const page::PageSettings chosen = preview::settingsFromPrinter(page::PageSettings{}, printer);
  QVERIFY(std::abs(chosen.printPaper.sizeMm.width() - 355.6) < 0.1);
  QVERIFY(std::abs(chosen.printPaper.sizeMm.height() - 215.9) < 0.1);
}

// Letter chosen in the printer setup: the preview shows the Letter sheet with the page scaled to its
// height and centred across, and the job prints onto Letter just so.
void PreviewWindowTest::paperChosenInPrinterSetupIsShownAndPrinted() {
  QTemporaryDir folder;
  const QString pdf = printsInto(folder, QStringLiteral("letter.pdf"));
  ui::seams().printerSetup.setNextAnswer(
      ui::PrinterSetupAnswer::accept([](QPrinter& printer) { printer.setPageSize(QPageSize(QPageSize::Letter)); }));
  page::PageSettings chosen;
  QImage shown;
  whenGenerated({testing::squaresPage({QPoint(0, 0)})}, [&](QRStandardPreview& window) {
    button(window, "PrintSetup")->click();
    chosen = window.settings();
    window.view()->setZoom(50);
    shown = window.view()->viewport()->grab().toImage().copy(
        QRect(window.view()->sheetOrigin(), window.view()->sheetSize()));
    button(window, "Print")->click();
  });
  QVERIFY2(messages().isEmpty(), qPrintable(messages().join(QLatin1Char('\n'))));
  QVERIFY(chosen.landscape);
  QCOMPARE(chosen.paperWidthMm, 297.0);  // the page itself stays A4
  QVERIFY(std::abs(chosen.printPaper.sizeMm.width() - 279.4) < 0.1);
  QVERIFY(std::abs(chosen.printPaper.sizeMm.height() - 215.9) < 0.1);

  QCOMPARE(testing::pdfPageSizes(testing::readFile(pdf)), QList<QSizeF>{QSizeF(792, 612)});
  if (!testing::havePdfRasterizer()) QSKIP("pdftoppm is not installed");
  const QImage printed = testing::rasterizePdf(pdf, 1, 48);
  QCOMPARE(printed.size(), QSize(528, 408));
  // The one-inch square at the sheet's corner, scaled by 279.4 / 297 and 4.1 mm down.
  const double scale = 279.4 / 297.0, top = (215.9 - 210 * scale) / 2 / 25.4 * 48;
  const QRect square = testing::darkBox(printed);
  QVERIFY2(square.left() <= 1 && std::abs(square.top() - top) <= 1.5 && std::abs(square.width() - 48 * scale) <= 2,
           qPrintable(QStringLiteral("square at %1, %2, %3 wide").arg(square.left()).arg(square.top()).arg(square.width())));
  // The preview draws the same sheet (at 50 %: 48 pixels an inch).
  QCOMPARE(shown.size(), printed.size());
  QCOMPARE(testing::darkBox(shown), square);
}

void PreviewWindowTest::cancelInTheProgressWindowStopsTheJob() {
  QTemporaryDir folder;
  const QString pdf = printsInto(folder, QStringLiteral("cancelled.pdf"));
  QString progressText;
  QTimer watch;
  watch.setInterval(0);
  // Cancel once the first of five pages has gone out.
  QObject::connect(&watch, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() != QLatin1String("PrintProgress") || !widget->isVisible()) continue;
      progressText = widget->findChild<QLabel*>(QStringLiteral("ProgressText"))->text();
      if (progressText == QLatin1String("0%  Completed")) continue;
      widget->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
      watch.stop();
    }
  });
  whenGenerated(pagesOf(5), [&](QRStandardPreview& window) {
    watch.start();
    button(window, "Print")->click();
    watch.stop();
  });
  QCOMPARE(progressText, QStringLiteral("20%  Completed"));
  // An aborted job leaves no file, or one with fewer pages than the report has.
  QVERIFY(testing::pdfPageCount(pdf) < 5);
}

void PreviewWindowTest::closingWhilePrintingStopsTheJobAndClosesAfterIt() {
  QTemporaryDir folder;
  const QString pdf = printsInto(folder, QStringLiteral("closed.pdf"));
  QPointer<QRStandardPreview> target;
  bool askedWhilePrinting = false, openWhileTheJobRan = false;
  QTimer watch;
  watch.setInterval(0);
  // Esc once the first pages have gone out, as a user who changed their mind would press it.
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!target || !target->isPrinting() || !progressPastTheStart()) return;
    watch.stop();
    askedWhilePrinting = true;
    QTest::keyClick(target->view(), Qt::Key_Escape);
    openWhileTheJobRan = target && !target->isClosed() && target->isPrinting();
  });
  bool closedAfterTheJob = false, stillPrinting = true;
  const Request request = whenGenerated(pagesOf(40), [&](QRStandardPreview& window) {
    target = &window;
    watch.start();
    button(window, "Print")->click();
    watch.stop();
    closedAfterTheJob = target && target->isClosed();
    stillPrinting = target && target->isPrinting();
  });
  QVERIFY(askedWhilePrinting);
  QVERIFY(openWhileTheJobRan);
  QVERIFY(closedAfterTheJob);
  QVERIFY(!stillPrinting);
  QVERIFY(request.windowGone);
  QCOMPARE(request.afterPreview, 1);
  QVERIFY2(messages().isEmpty(), qPrintable(messages().join(QLatin1Char('\n'))));
  // The job stopped: no file, or one with fewer pages than the report has.
  QVERIFY(testing::pdfPageCount(pdf) < 40);
}

void PreviewWindowTest::printerRefusingWholeLayoutsStillTakesPaperAndOrientation() {
  const page::PageSettings standard;  // A4 landscape
  BorderedPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  QVERIFY(printer.QPrinter::setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter)));

  preview::configurePrinter(printer, standard);
  QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
  QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
  QVERIFY(printer.fullPage());
  // The whole sheet is drawn on: the drawing origin is the paper's corner.
  QCOMPARE(preview::printerOriginOffset(printer), QPointF(0, 0));
}

// A printer that keeps a paper of its own (here A4 upright) is no reason to refuse: the sheet is
// scaled to the paper's width and centred down it.
void PreviewWindowTest::printerKeepingItsOwnPaperGetsTheSheetScaledOntoIt() {
  if (!testing::havePdfRasterizer()) QSKIP("pdftoppm is not installed");
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("upright.pdf"));
  BorderedPrinter upright;
  upright.setResolution(300);
  upright.setOutputFormat(QPrinter::PdfFormat);
  upright.setOutputFileName(pdf);
  upright.takesOrientation = false;
  upright.QPrinter::setPageOrientation(QPageLayout::Portrait);
  const page::GeneratedPage squares = testing::squaresPage({QPoint(480, 336)});
  preview::configurePrinter(upright, squares.settings);
  QCOMPARE(upright.pageLayout().orientation(), QPageLayout::Portrait);
  QCOMPARE(preview::printReport({squares}, squares.settings, upright), report::PrintOutcome::Finished);

  const QImage paper = testing::rasterizePdf(pdf, 1, 96);
  QCOMPARE(paper.size(), QSize(794, 1123));
  // 297 mm become 210: every inch is 96 x 210 / 297 pixels, the sheet 148.5 mm high from 74.25 mm down.
  const double scale = 210.0 / 297.0, top = 74.25 / 25.4 * 96;
  const QRect square = testing::darkBox(paper.copy(397, 560, 397, 563)).translated(397, 560);
  QVERIFY2(std::abs(square.left() - 10 * 96 * scale) <= 1.5 && std::abs(square.top() - top - 7 * 96 * scale) <= 1.5 &&
               std::abs(square.width() - 96 * scale) <= 2,
           qPrintable(QStringLiteral("square at %1, %2").arg(square.left()).arg(square.top())));
}

void PreviewWindowTest::printerWithAMarginPutsElementsAtTheirSheetPositions() {
  if (!testing::havePdfRasterizer()) QSKIP("pdftoppm is not installed");
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("margin.pdf"));
  // The drawing origin at the printable area's corner, 12 mm across and 9 mm down, as a printer
  // that does not draw on the whole sheet has it.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 9, 12, 9),
                     QPageLayout::Millimeter);
  layout.setMode(QPageLayout::StandardMode);
  QVERIFY(printer.setPageLayout(layout));
  const QPointF offset = preview::printerOriginOffset(printer);
  // PDF output keeps its margins in whole points.
  const double dpi = printer.resolution(), point = dpi / 72 + 1;
  QVERIFY2(std::abs(offset.x() - 12 / 25.4 * dpi) < point && std::abs(offset.y() - 9 / 25.4 * dpi) < point,
           qPrintable(QStringLiteral("offset %1, %2").arg(offset.x()).arg(offset.y())));

  // One-inch squares at 1 x 2 inches and at 10 x 7 inches on the sheet.
  const page::GeneratedPage squares = testing::squaresPage({QPoint(48, 96), QPoint(480, 336)});
  QCOMPARE(preview::printReport({squares}, squares.settings, printer), report::PrintOutcome::Finished);

  const QImage sheet = testing::rasterizePdf(pdf, 1, 96);
  QVERIFY(!sheet.isNull());
  QCOMPARE(sheet.size(), QSize(1123, 794));
  const QRect first = testing::darkBox(sheet.copy(0, 0, 500, 400));
  const QRect second = testing::darkBox(sheet.copy(500, 400, 623, 394)).translated(500, 400);
  for (const auto& [box, at] : {std::pair{first, QPoint(96, 192)}, std::pair{second, QPoint(960, 672)}}) {
    QVERIFY2(std::abs(box.left() - at.x()) <= 1 && std::abs(box.top() - at.y()) <= 1,
             qPrintable(QStringLiteral("square at %1, %2").arg(box.left()).arg(box.top())));
    QVERIFY(std::abs(box.width() - 96) <= 2 && std::abs(box.height() - 96) <= 2);
  }
}

void PreviewWindowTest::saveAndLoadUseTheirTitlesFiltersAndStates() {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("month.QRP"));
  auto& files = ui::seams().fileDialogs;
  files.setNextAnswer(path);
  files.setNextAnswer(path);

  QString panel;
  int shownPage = 0;
  bool setupUsable = true, printUsable = false;
  QImage before, after;
  whenGenerated(pagesOf(3), [&](QRStandardPreview& window) {
    button(window, "SaveReport")->click();
    before = window.view()->grab().toImage();
    window.showPage(3);
    button(window, "LoadReport")->click();
    shownPage = window.pageNumber();
    panel = panelText(window, "PagePanel");
    setupUsable = button(window, "PrintSetup")->isEnabled();
    printUsable = button(window, "Print")->isEnabled();
    after = window.view()->grab().toImage();
  });
  QVERIFY2(messages().isEmpty(), qPrintable(messages().join(QLatin1Char('\n'))));
  QCOMPARE(files.requests().size(), 2);
  const ui::FileDialogRequest& save = files.requests()[0];
  const ui::FileDialogRequest& load = files.requests()[1];
  QCOMPARE(save.kind, ui::FileDialogRequest::Save);
  QCOMPARE(save.title, QStringLiteral("Save report"));
  QCOMPARE(ui::qtFileFilter(save.filter), QStringLiteral("QuickReport file(*.QRP)"));
  QCOMPARE(save.defaultSuffix, QStringLiteral("QRP"));
  QCOMPARE(load.kind, ui::FileDialogRequest::Open);
  QCOMPARE(load.title, QStringLiteral("Load report"));
  QCOMPARE(ui::qtFileFilter(load.filter), QStringLiteral("QuickReport file (*.QRP)"));
  QVERIFY(load.anyName);  // a missing file is the preview's to report
  QCOMPARE(report::loadReportFile(path).size(), size_t(3));
  QCOMPARE(shownPage, 1);
  QCOMPARE(panel, QStringLiteral("Page 1 of 3"));
  QVERIFY(!setupUsable);
  QVERIFY(printUsable);
  QVERIFY(testing::sameImages(before, after, QStringLiteral("preview-loaded")));
}

void PreviewWindowTest::loadingMissingOrDamagedFilesChangesNothing() {
  QTemporaryDir folder;
  const QString damaged = folder.filePath(QStringLiteral("damaged.QRP"));
  QVERIFY(testing::writeFile(damaged, report::encodeReport(pagesOf(1)).left(200)));
  auto& files = ui::seams().fileDialogs;

  int pagesAfter = 0;
  bool printUsable = false;
  whenGenerated(pagesOf(2), [&](QRStandardPreview& window) {
    window.showPage(2);
    files.setNextAnswer(folder.filePath(QStringLiteral("missing.QRP")));
    button(window, "LoadReport")->click();
    files.setNextAnswer(damaged);
    button(window, "LoadReport")->click();
    pagesAfter = static_cast<int>(window.pages().size());
    QCOMPARE(window.pageNumber(), 2);
    printUsable = button(window, "PrintSetup")->isEnabled() && button(window, "Print")->isEnabled();
  });
  QCOMPARE(messages().size(), 2);
  QCOMPARE(messages()[0], QStringLiteral("File does not exist"));
  QCOMPARE(messages()[1], QStringLiteral("'damaged.QRP' nie jest plikiem wydruku albo jest uszkodzony"));
  QCOMPARE(pagesAfter, 2);
  QVERIFY(printUsable);
}

void PreviewWindowTest::reportWithoutPagesIsRefusedAndSaveWaitsForAPage() {
  QTemporaryDir folder;
  const QString empty = folder.filePath(QStringLiteral("empty.QRP"));
  QVERIFY(testing::writeFile(empty, report::encodeReport({})));
  auto& files = ui::seams().fileDialogs;

  QRStandardPreview window;
  window.beginGeneration();
  QVERIFY(!button(window, "SaveReport")->isEnabled());
  window.saveReport();
  QVERIFY(files.requests().isEmpty());
  for (page::GeneratedPage& page : pagesOf(3)) {
    window.addPage(std::move(page));
    QVERIFY(button(window, "SaveReport")->isEnabled());
  }
  window.finishGeneration();
  window.showPage(2);

  files.setNextAnswer(empty);
  button(window, "LoadReport")->click();
  QCOMPARE(messages(), QStringList{QStringLiteral("'empty.QRP' nie jest plikiem wydruku albo jest uszkodzony")});
  QCOMPARE(window.pages().size(), size_t(3));
  QCOMPARE(panelText(window, "PagePanel"), QStringLiteral("Page 2 of 3"));
  QVERIFY(button(window, "Print")->isEnabled());
  QVERIFY(button(window, "SaveReport")->isEnabled());

  // A new generation has nothing to save until its first page is there.
  window.beginGeneration();
  QVERIFY(!button(window, "SaveReport")->isEnabled());
  QCOMPARE(panelText(window, "PagePanel"), QStringLiteral("Page"));
}

void PreviewWindowTest::screenshots() {
  const QString folder = qEnvironmentVariable("ORVELLA_PREVIEW_SHOTS");
  if (folder.isEmpty()) QSKIP("ORVELLA_PREVIEW_SHOTS is not set");
  QDir().mkpath(folder);
  page::GeneratedPage sample = testing::samplePage();
  QFile metafile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/images/band_music.wmf"));
  if (metafile.open(QIODevice::ReadOnly)) {
    try {
      sample.elements[4].picture = Picture::fromBytes(metafile.readAll(), QStringLiteral("band_music.wmf"));
    } catch (const Error&) {
    }
  }
  whenGenerated({sample}, [&](QRStandardPreview& window) {
    auto shoot = [&](const char* name) {
      QCoreApplication::processEvents();  // scroll bars come and go on the next turn
      window.grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
    };
    shoot("preview-width.png");
    button(window, "ZoomFit")->click();
    shoot("preview-fit.png");
    button(window, "Zoom100")->click();
    shoot("preview-100.png");
  });
  QPrinter printer;
  ui::PrinterSetupDialog setup(printer, 3);
  setup.show();
  QCoreApplication::processEvents();
  setup.grab().save(QDir(folder).filePath(QStringLiteral("printer-setup.png")));
}

QTEST_MAIN(PreviewWindowTest)
#include "preview_window_test.moc"
