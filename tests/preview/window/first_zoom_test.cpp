// The preview's first zoom as a user sees it: the window opens maximised, and zoom to width fits the
// page to the width the window has once the window manager has maximised it; resizing the window
// later keeps the factor. Runs on a real X server with a window manager, where maximising happens some
// time after the window is shown, and offscreen.
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "preview/engine/zoom.h"
#include "preview/window/page_view.h"
#include "preview/window/preview_request.h"
#include "preview/window/preview_window.h"
#include "tests/preview/engine/sample_pages.h"
#include "tests/support/screenshots.h"
#include "ui/dialog_seams.h"

using namespace orvella;
using orvella::preview::QRStandardPreview;

namespace {

// Generous: other tests may be starting servers and windows on the same two cores.
constexpr int kPatience = 30000;

QRStandardPreview* openPreview() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* preview = qobject_cast<QRStandardPreview*>(widget); preview && !preview->isClosed()) return preview;
  return nullptr;
}

// A maximised window covers the screen's free area, its frame included.
bool coversTheScreen(const QWidget& window) {
  const QScreen* screen = window.screen();
  return screen && window.frameGeometry().width() >= screen->availableGeometry().width();
}

// Runs a preview of one page; `check` is called once, inside the request, when the page is there and
// the window covers the screen, and the window is closed after it.
void whenMaximised(const std::function<void(QRStandardPreview&)>& check) {
  report::ReportSource source;
  source.generate = [] { return std::vector<page::GeneratedPage>{testing::samplePage()}; };
  bool checked = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QRStandardPreview* window = openPreview();
    if (checked || !window || !window->generationFinished() || !coversTheScreen(*window)) return;
    checked = true;
    check(*window);
    window->close();
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    if (QRStandardPreview* window = openPreview()) window->close();
  });
  watchdog.start(kPatience);
  poll.start();
  preview::previewReport(source);
  QVERIFY2(checked, "the preview never covered the screen");
}

int widthZoomOf(const QRStandardPreview& window) {
  return report::zoomToWidth(window.view()->viewport()->width(),
                             report::sheetPixelsAt100(window.pages().front().settings));
}

}  // namespace

class FirstZoomTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ui::seams().cancelEverything(); }
  void cleanup() { ui::seams().reset(); }

  void zoomToWidthFitsTheMaximisedWindow() {
    // Maximising races with the first page: a window manager wins some openings and loses others.
    for (int opening = 1; opening <= 5; ++opening) {
      int shown = 0, fitted = 0;
      bool pressed = false;
      whenMaximised([&](QRStandardPreview& window) {
        QCoreApplication::processEvents();  // whatever the window manager has sent so far
        shown = window.zoom();
        fitted = widthZoomOf(window);
        pressed = window.findChild<QToolButton*>(QStringLiteral("ZoomToWidth"))->isChecked();
        if (opening == 1)
          testing::keepScreenOf(window, QGuiApplication::platformName() + QStringLiteral("_preview_first_opening"));
      });
      QVERIFY(pressed);
      QVERIFY2(shown == fitted, qPrintable(QStringLiteral("opening %1: zoom %2, the window's width fits %3")
                                               .arg(opening).arg(shown).arg(fitted)));
    }
  }

  void laterResizesKeepTheFactor() {
    int fitted = 0, afterResize = 0, widthFitAfterResize = 0;
    whenMaximised([&](QRStandardPreview& window) {
      QCoreApplication::processEvents();
      fitted = window.zoom();
      window.showNormal();
      window.resize(900, 640);
      QTRY_COMPARE_WITH_TIMEOUT(window.size(), QSize(900, 640), kPatience);
      afterResize = window.zoom();
      widthFitAfterResize = widthZoomOf(window);
    });
    QVERIFY(widthFitAfterResize != fitted);  // a new fit would show
    QCOMPARE(afterResize, fitted);
  }
};

QTEST_MAIN(FirstZoomTest)
#include "first_zoom_test.moc"
