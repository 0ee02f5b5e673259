// Window titles as the window manager reads them (_NET_WM_NAME), on a real X server with openbox: the
// toolkit must not add the program's name to what the windows say.
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>
#include <QtTest>

#include "../support/program_folder.h"
#include "app/application.h"
#include "app/main_window.h"
#include "app/program_windows.h"

using namespace orvella;

namespace {

// The title the window manager sees on a top-level window, read by xprop as any X client would.
QString titleSeenByWindowManager(const QWidget& window) {
  QProcess xprop;
  xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("_NET_WM_NAME")});
  if (!xprop.waitForFinished(10000)) return QStringLiteral("<xprop did not answer>");
  // _NET_WM_NAME(UTF8_STRING) = "Orvella - test.hol"
  const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
  const auto match = QRegularExpression(QStringLiteral("= \"(.*)\"$")).match(line);
  return match.hasMatch() ? match.captured(1) : QStringLiteral("<no title: %1>").arg(line);
}

// Generous: other tests may be starting servers and windows on the same two cores at the same time.
constexpr int kPatience = 30000;

}  // namespace

class WindowTitlesTest : public QObject {
  Q_OBJECT

 private slots:
  void titlesReachTheWindowManagerExactly() {
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs a real X server");
    const testing::ProgramFolder folder;
    ProgramContext context;
    context.programDir = folder.path();
    ProgramWindows windows = createProgramWindows(context);
    Tf_Main& main = *windows.main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main, kPatience));
    QTRY_COMPARE_WITH_TIMEOUT(titleSeenByWindowManager(main), QStringLiteral("Orvella"), kPatience);

    // After an Open the title names the theme file; the preview carries the report's title.
    main.setWindowTitle(QStringLiteral("Orvella - test.hol"));
    QTRY_COMPARE_WITH_TIMEOUT(titleSeenByWindowManager(main), QStringLiteral("Orvella - test.hol"), kPatience);
    QWidget preview;
    preview.setWindowTitle(QStringLiteral(" b"));
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview, kPatience));
    QTRY_COMPARE_WITH_TIMEOUT(titleSeenByWindowManager(preview), QStringLiteral(" b"), kPatience);
  }
};

int main(int argc, char** argv) {
  // The program's own application object: its names are what the toolkit would add to titles.
  Application app(argc, argv);
  WindowTitlesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_titles_test.moc"
