// The program's three windows, created once in this order and kept for the whole run.
#pragma once

#include <memory>

#include "app/program_context.h"

namespace orvella {

class Tf_Main;
class Tf_Options;
class Tf_Print;

extern Tf_Main* f_Main;
extern Tf_Options* f_Options;
extern Tf_Print* f_Print;

struct ProgramWindows {
  std::unique_ptr<Tf_Main> main;
  std::unique_ptr<Tf_Options> options;
  std::unique_ptr<Tf_Print> print;
  ProgramWindows();
  ProgramWindows(ProgramWindows&&) noexcept;
  ~ProgramWindows();  // the print page and the editor go first, the main window last
};

// Creates f_Main, f_Options and f_Print in this order.
ProgramWindows createProgramWindows(const ProgramContext& context);

}  // namespace orvella
