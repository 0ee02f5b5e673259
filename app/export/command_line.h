// The program's command line, read with Qt's parser: the window (with a theme file to open), the
// headless export, or --help, --version and --list-holidays, which need no window.
#pragma once

#include <QString>
#include <QStringList>

#include "app/export/export_command.h"

namespace orvella {

struct CommandLine {
  enum class Action { Window, Export, Help, Version, ListHolidays };
  Action action = Action::Window;
  ExportRequest exportRequest;  // Export
  QStringList themeFiles;       // Window: the theme files named after the options
  bool quitWhenShown = false;   // Window: close as soon as it is shown (start-up checks)
  enum class Start { MainWindow, NewTheme, YearPreview };
  Start start = Start::MainWindow;  // Window: where the program starts once its window is up
  QString text;                 // Help, Version: what to print
  QString platform;             // the toolkit's "-platform" value, when given
};

// arguments as the process got them, the program's name first. The toolkit's own options (-platform,
// -style, ...), which its application object takes away, are let through in every mode; any other
// option the program does not know is an error. With --export every value is checked before any work
// starts: the year
// 1 to 9999, the months, the resolution, the output's kind, and that a file an option names is a
// readable file. Raises Error whose message names the option and the value that are wrong.
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace orvella
