// Event dispatch with the general error handler behind it.
#include "app/application.h"

#include "ui/guarded.h"

namespace orvella {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  // No display name of its own: on X11 the toolkit appends one to every window title, and each window
  // says exactly what it means to ("Orvella - test.hol", " b"). Message boxes that ask for the display
  // name get the application name instead, which is the same word.
  setApplicationName(QStringLiteral("Orvella"));
  setApplicationVersion(QStringLiteral("1.33"));
  // The desktop entry's name: lets the desktop match the windows to the installed entry and its icon.
  setDesktopFileName(QStringLiteral("orvella"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ui::reportException(std::current_exception());
    return false;
  }
}

}  // namespace orvella
