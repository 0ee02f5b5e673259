// Event dispatch with the general error handler behind it.
#include "app/application.h"

#include "ui/guarded.h"

namespace orvella {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Orvella"));
  setApplicationDisplayName(QStringLiteral("Orvella"));
  setApplicationVersion(QStringLiteral("1.33"));
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
