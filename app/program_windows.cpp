// Creation of the three windows.
#include "app/program_windows.h"

#include "app/main_window.h"
#include "app/print_window.h"
#include "editor/options/options_dialog.h"

namespace orvella {

Tf_Main* f_Main = nullptr;
Tf_Options* f_Options = nullptr;
Tf_Print* f_Print = nullptr;

ProgramWindows::ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows&&) noexcept = default;

ProgramWindows::~ProgramWindows() {
  // A moved-from set owns nothing and leaves the window variables alone.
  if (print && f_Print == print.get()) f_Print = nullptr;
  print.reset();
  if (options && f_Options == options.get()) f_Options = nullptr;
  options.reset();
  if (main && f_Main == main.get()) f_Main = nullptr;
  main.reset();
}

ProgramWindows createProgramWindows(const ProgramContext& context) {
  ProgramWindows windows;
  windows.main = std::make_unique<Tf_Main>(context);
  f_Main = windows.main.get();
  windows.options = std::make_unique<Tf_Options>([] { return f_Main ? f_Main->selectedYear() : 2009; });
  f_Options = windows.options.get();
  windows.print = std::make_unique<Tf_Print>();
  f_Print = windows.print.get();
  return windows;
}

}  // namespace orvella
