// Pictures of the program for the user guide, taken from its own windows on a display with a window
// manager: guide_pictures <program folder> <guide folder>. For each language of the guide, its main
// window with the File menu open, each tab of the theme editor, the preview of a month of a sample
// theme and that month's page, and the help window, into <guide folder>/<language>/images/.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/application.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/program_windows.h"
#include "app/year_spin_edit.h"
#include "calendar/page/page_renderer.h"
#include "editor/options/options_dialog.h"
#include "platform/desktop/system_language.h"
#include "preview/window/preview_window.h"
#include "ui/dialog_seams.h"
#include "ui/window_registry.h"

using namespace orvella;

namespace {

// The year and month the pictures show, whatever the day the pictures are made: May has holidays in
// the sample themes, and a year of its own keeps the pictures the same from one run to the next.
constexpr int kCurrentYear = 2026;
constexpr int kMonthIndex = 4;
// The widest picture the guide's pages show at their own size.
constexpr int kWidest = 760;

QString folder;  // the images folder of the language being pictured
bool failed = false;

// Keeps the picture small: a user interface has few colours, which a palette of 256 holds.
void save(QImage image, const QString& name) {
  if (image.width() > kWidest) image = image.scaledToWidth(kWidest, Qt::SmoothTransformation);
  image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
  const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
  if (!image.save(path)) {
    std::fprintf(stderr, "guide_pictures: cannot write %s\n", qPrintable(path));
    failed = true;
  }
}

// Waits until the window is on the screen; one that never comes is a failure.
void waitForWindow(QWidget* window) {
  if (QTest::qWaitForWindowExposed(window)) return;
  std::fprintf(stderr, "guide_pictures: %s never showed\n", qPrintable(window->objectName()));
  failed = true;
}

// What the screen shows of these windows, their frames included, once they have settled.
void keepScreen(const QList<QWidget*>& windows, const QString& name) {
  QTest::qWait(600);
  QRect area;
  for (const QWidget* w : windows) area |= w->frameGeometry();
  save(windows.front()->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage(), name);
}

// Runs `then` once `ready` holds, also inside the loop of a window that waits for its closing.
void when(std::function<bool()> ready, std::function<void()> then) {
  QTimer::singleShot(50, [ready = std::move(ready), then = std::move(then)]() mutable {
    if (ready())
      then();
    else
      when(std::move(ready), std::move(then));
  });
}

void picture(const QString& programDir, const QString& guideDir, const QString& language, int systemLanguage) {
  folder = guideDir + QLatin1Char('/') + language + QStringLiteral("/images");
  QDir().mkpath(folder);
  QTemporaryDir state;
  ProgramContext context;
  context.programDir = programDir;
  context.workingFolder = state.filePath(QStringLiteral("temp"));
  context.configFile = state.filePath(QStringLiteral("config.ini"));
  context.guideFolder = guideDir;
  context.currentYear = [] { return kCurrentYear; };
  context.systemLanguage = [systemLanguage] { return systemLanguage; };
  QDir().mkpath(context.workingFolder);

  ProgramWindows windows = createProgramWindows(context);
  Tf_Main& main = *windows.main;
  main.show();
  waitForWindow(&main);
  main.openSampleTheme(programDir + QStringLiteral("/themes/gory.hol"));
  main.cb_month->setCurrentRow(kMonthIndex);

  QMenu* file = main.menuBar()->findChild<QMenu*>(QStringLiteral("mi_File"));
  file->popup(main.menuBar()->mapToGlobal(main.menuBar()->actionGeometry(file->menuAction()).bottomLeft()));
  keepScreen({&main, file}, QStringLiteral("main-window"));
  file->close();

  // The editor as Edit opens it, without waiting for it to close.
  main.se_year->setFocus();
  f_Options->cb_Holidays->setCurrentIndex(kMonthIndex);
  f_Options->show();
  waitForWindow(f_Options);
  const QList<std::pair<QWidget*, const char*>> tabs{{f_Options->ts_Main, "editor-general"},
                                                     {f_Options->ts_Holidays, "editor-holidays"},
                                                     {f_Options->ts_Fonts, "editor-fonts"},
                                                     {f_Options->ts_Pictures, "editor-pictures"}};
  for (const auto& [tab, name] : tabs) {
    f_Options->PageControl1->setCurrentWidget(tab);
    keepScreen({f_Options}, QLatin1String(name));
  }
  f_Options->reject();

  // The preview of the month, and the month's page as it draws it.
  when([] {
    const auto previews = ui::windows().windowsOf<preview::QRStandardPreview>();
    return !previews.isEmpty() && previews.front()->generationFinished();
  }, [] {
    auto* preview = ui::windows().windowsOf<preview::QRStandardPreview>().front();
    keepScreen({preview}, QStringLiteral("preview"));
    const page::GeneratedPage& month = preview->pages().front();
    page::DeviceMapping mapping;
    mapping.dpiX = mapping.dpiY = 64;
    QImage sheet(mapping.toDeviceX(month.settings.paperWidthMm * 10), mapping.toDeviceY(month.settings.paperHeightMm * 10),
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    page::drawPage(month, painter, mapping);
    painter.end();
    save(sheet, QStringLiteral("page"));
    preview->close();
  });
  main.a_PrintPreview->trigger();

  // The help window as Help > Online help (and F1) opens it.
  main.a_HelpOnline->trigger();
  const auto helps = ui::windows().windowsOf<Tf_Help>();
  if (helps.isEmpty()) {
    std::fprintf(stderr, "guide_pictures: Online help opened no help window\n");
    failed = true;
    return;
  }
  Tf_Help* help = helps.front();
  waitForWindow(help);
  keepScreen({help}, QStringLiteral("help-window"));
  help->close();
}

}  // namespace

int main(int argc, char** argv) {
  Application app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: guide_pictures <program folder> <guide folder>\n");
    return 2;
  }
  // No box may wait for a person: a message box of the program is answered as by a user who wants
  // nothing, and reported.
  ui::seams().cancelEverything();
  const QString programDir = QString::fromLocal8Bit(argv[1]);
  const QString guideDir = QString::fromLocal8Bit(argv[2]);
  picture(programDir, guideDir, QStringLiteral("en"), kLangEnglish);
  picture(programDir, guideDir, QStringLiteral("es"), kLangSpanish);
  picture(programDir, guideDir, QStringLiteral("pl"), kLangPolish);
  for (const ui::MessageBoxRequest& box : ui::seams().messageBoxes.requests()) {
    std::fprintf(stderr, "guide_pictures: the program said: %s\n", qPrintable(box.text));
    failed = true;
  }
  return failed ? 1 : 0;
}
