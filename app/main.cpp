// Program entry: the three windows in their order, then the message loop until the main window closes.
// With --export the months are composed without any window.
#include <QDir>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>

#include "app/application.h"
#include "app/core/program_paths.h"
#include "app/core/working_folder.h"
#include "app/export/command_line.h"
#include "app/export/export_command.h"
#include "app/main_window.h"
#include "app/program_windows.h"
#include "editor/holidays/shipped_holidays.h"
#include "platform/errors/error.h"
#include "ui/guarded.h"
#include "ui/lazy_icon.h"
#include "ui/lazy_icon_style.h"

namespace {

bool hasDisplay() { return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"); }

// The export says only its own lines: the toolkit's warnings (a missing XDG_RUNTIME_DIR under cron or
// ssh, fonts it looks for) are no concern of whoever reads them.
void keepToolkitQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) std::fprintf(stderr, "orvella: %s\n", message.toLocal8Bit().constData());
}

int runExport(int argc, char** argv, const orvella::ExportRequest& request) {
  qInstallMessageHandler(keepToolkitQuiet);
  // No window is shown, so no display is needed, nor one that has gone away.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  try {
    const QStringList notes =
        orvella::runExport(request, orvella::findDataDir(QCoreApplication::applicationDirPath()));
    for (const QString& note : notes) std::fprintf(stderr, "orvella: %s\n", note.toLocal8Bit().constData());
  } catch (const orvella::Error& e) {
    std::fprintf(stderr, "orvella: %s\n", e.message().toLocal8Bit().constData());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvella: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  orvella::CommandLine command;
  try {
    command = orvella::parseCommandLine(arguments);
  } catch (const orvella::Error& e) {
    std::fprintf(stderr, "orvella: %s\n", e.message().toLocal8Bit().constData());
    return 2;
  }
  switch (command.action) {
    case orvella::CommandLine::Action::Help:
    case orvella::CommandLine::Action::Version:
      std::fputs(command.text.toLocal8Bit().constData(), stdout);
      return 0;
    case orvella::CommandLine::Action::Export:
      return runExport(argc, argv, command.exportRequest);
    case orvella::CommandLine::Action::ListHolidays: {
      const QCoreApplication app(argc, argv);  // for the program's folder
      const QString dataDir = orvella::findDataDir(QCoreApplication::applicationDirPath());
      std::fputs(orvella::shippedHolidaysList(dataDir).toLocal8Bit().constData(), stdout);
      return 0;
    }
    case orvella::CommandLine::Action::Window:
      break;
  }
  // Without a display the toolkit would end the program with a message of its own and a crash's status.
  if (!hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && command.platform.isEmpty()) {
    std::fputs(
        "orvella: there is no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
        "orvella --export composes months without one\n",
        stderr);
    return 1;
  }

  orvella::Application app(argc, argv);
  // The style the toolkit chose, with the pictures of hidden buttons made when they are first shown.
  QApplication::setStyle(new orvella::ui::LazyIconStyle(QApplication::style()->name()));

  // A picture is read only when the desktop asks for one of that size.
  QApplication::setWindowIcon(
      orvella::ui::lazyFileIcon(QStringLiteral(":/icons/orvella-%1.png"), {16, 24, 32, 48, 64, 128, 256}));

  const orvella::ProgramPaths paths = orvella::locateProgramPaths(QCoreApplication::applicationDirPath());
  orvella::ProgramContext context;
  context.programDir = paths.dataDir;
  context.configFile = paths.configFile;
  context.guideFolder = paths.guideDir;
  // Held until the program ends, after its windows are gone.
  const orvella::WorkingFolder working(paths.workingDir);
  context.workingFolder = working.path();
  orvella::ProgramWindows windows = orvella::createProgramWindows(context);
  windows.main->show();
  // Once the window is up: the theme named on the command line, then, for checks, the close. The
  // arguments are read again now that the application has taken Qt's own options away.
  const orvella::CommandLine window = orvella::parseCommandLine(QCoreApplication::arguments());
  const QString theme = window.themeFiles.value(0);
  const bool quitWhenShown = window.quitWhenShown;
  const orvella::CommandLine::Start start = window.start;
  QTimer::singleShot(0, windows.main.get(), orvella::ui::guarded([&windows, theme, quitWhenShown, start] {
                       if (!theme.isEmpty()) windows.main->openThemeFromCommandLine(theme);
                       // The desktop entry's actions: the program starts where they say.
                       if (start == orvella::CommandLine::Start::NewTheme) {
                         windows.main->a_NewExecute();
                         windows.main->a_EditExecute();
                       }
                       if (start == orvella::CommandLine::Start::YearPreview) windows.main->a_YearPreviewExecute();
                       if (quitWhenShown) windows.main->close();
                     }));
  return app.exec();
}
