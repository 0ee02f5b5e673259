// The program started in a throw-away folder: its three windows made, the main window shown.
#pragma once

#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "app/program_windows.h"
#include "tests/support/program_folder.h"

namespace orvella::testing {

struct StartedProgram {
  ProgramFolder folder;
  ProgramWindows windows;

  explicit StartedProgram(int currentYear = 2009) : windows(createProgramWindows(contextIn(folder, currentYear))) {
    windows.main->show();
    if (!QTest::qWaitForWindowExposed(windows.main.get())) qWarning("the main window was not exposed");
  }
  Tf_Main& main() { return *windows.main; }

  static ProgramContext contextIn(const ProgramFolder& folder, int currentYear) {
    ProgramContext context;
    context.programDir = folder.path();
    context.currentYear = [currentYear] { return currentYear; };
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

}  // namespace orvella::testing
