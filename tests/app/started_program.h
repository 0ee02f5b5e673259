// The program started in a throw-away folder: its three windows made, the main window shown.
#pragma once

#include <QTest>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "app/print_window.h"
#include "app/program_windows.h"
#include "preview/window/preview_window.h"
#include "ui/dialog_seams.h"
#include "ui/window_registry.h"
#include "tests/support/message_boxes.h"
#include "tests/support/program_folder.h"
#include "tests/support/screenshots.h"

namespace orvella::testing {

struct StartedProgram {
  ProgramFolder folder;
  ProgramWindows windows;

  explicit StartedProgram(int currentYear = 2009, const std::function<void(ProgramContext&)>& adjust = {})
      : windows(createProgramWindows(contextIn(folder, currentYear, adjust))) {
    windows.main->show();
    if (!QTest::qWaitForWindowExposed(windows.main.get())) qWarning("the main window was not exposed");
  }
  Tf_Main& main() { return *windows.main; }

  static ProgramContext contextIn(ProgramFolder& folder, int currentYear,
                                  const std::function<void(ProgramContext&)>& adjust) {
    ProgramContext context;
    context.programDir = folder.path();
    context.currentYear = [currentYear] { return currentYear; };
    // A Polish system: the built-in texts, given back by polski.lng.
    context.systemLanguage = [] { return kLangPolish; };
    // What a test changes before the program starts: the system's language, config.ini, the files.
    if (adjust) adjust(context);
    return context;
  }
};

// Runs `then` once `ready` holds, looking at each turn of the events (also inside the loops of
// windows that wait for their closing).
inline void when(std::function<bool()> ready, std::function<void()> then) {
  QTimer::singleShot(0, [ready = std::move(ready), then = std::move(then)]() mutable {
    if (ready())
      then();
    else
      when(std::move(ready), std::move(then));
  });
}

// How a preview is closed: by the program, or as a user closes it, with Esc or the Close button once
// the preview is the active window.
enum class CloseBy { Program, EscKey, CloseButton };

// Counts the previews opened while it lives, notes the year each one shows, and closes each as soon as
// it has its pages.
class ClosingPreviews {
 public:
  explicit ClosingPreviews(CloseBy by = CloseBy::Program) {
    connection_ = QObject::connect(&ui::windows(), &ui::WindowRegistry::windowAdded, [this, by](QWidget* window) {
      auto* preview = qobject_cast<preview::QRStandardPreview*>(window);
      if (!preview) return;
      ++opened_;
      years_ << f_Print->page().find(QStringLiteral("QRL_rok"))->caption;
      QPointer<preview::QRStandardPreview> open(preview);
      when([open, by] { return !open || (open->generationFinished() && (by == CloseBy::Program || open->isActiveWindow())); },
           [this, open, by] {
             if (!open) return;
             if (beforeClosing) beforeClosing(*open);
             if (by == CloseBy::EscKey)
               QTest::keyClick(open->windowHandle(), Qt::Key_Escape);
             else if (by == CloseBy::CloseButton)
               QTest::mouseClick(open->findChild<QToolButton*>(QStringLiteral("ExitButton")), Qt::LeftButton);
             else
               open->close();
           });
    });
  }
  ~ClosingPreviews() { QObject::disconnect(connection_); }
  // Runs on each preview just before it is closed.
  std::function<void(preview::QRStandardPreview&)> beforeClosing;
  int opened() const { return opened_; }
  // The year on the page of each preview opened, in order.
  const QStringList& years() const { return years_; }

 private:
  QMetaObject::Connection connection_;
  int opened_ = 0;
  QStringList years_;
};

}  // namespace orvella::testing
