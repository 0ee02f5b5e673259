// Creation of the three windows.
#include "app/program_windows.h"

#include <QApplication>
#include <QScopeGuard>

#include "app/main_window.h"
#include "app/print_window.h"
#include "app/program_state.h"
#include "editor/options/options_dialog.h"
#include "platform/desktop/dialog_folders.h"
#include "ui/archive_messages.h"
#include "ui/interface_font.h"
#include "ui/window_registry.h"

namespace orvella {

Tf_Main* f_Main = nullptr;
Tf_Options* f_Options = nullptr;
Tf_Print* f_Print = nullptr;

ProgramWindows::ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows&&) noexcept = default;

ProgramWindows::~ProgramWindows() {
  // A moved-from set owns nothing and leaves the window variables alone.
  if (!main) return;
  // Windows made later (previews) go first; those that delete themselves on close go now, not at a
  // turn of the event loop that may never come.
  ui::windows().closeAllBut(main.get());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  if (print && f_Print == print.get()) f_Print = nullptr;
  print.reset();
  if (options && f_Options == options.get()) f_Options = nullptr;
  options.reset();
  if (main && f_Main == main.get()) f_Main = nullptr;
  main.reset();
}

ProgramWindows createProgramWindows(const ProgramContext& context) {
  ui::showArchiveMessagesInBoxes();
  forgetDialogFolders();  // a run starts with none
  ProgramWindows windows;
  // A line edit lays out its empty text in the toolkit's default face as it is made, before its
  // window's face reaches it. While the windows are built that default is their own face, so that the
  // desktop's face is not read (and its fallbacks sorted) for that alone; menus and messages have the
  // desktop's face again before anything is shown.
  const QFont desktopFace = QApplication::font();
  QApplication::setFont(ui::interfaceFont(11));
  const auto restoreFace = qScopeGuard([&desktopFace] { QApplication::setFont(desktopFace); });
  windows.main = ui::windows().make<Tf_Main>(context);
  f_Main = windows.main.get();
  OptionsHost host;
  host.theme = &f_Main->state().theme;
  host.selectedYear = [] { return f_Main ? f_Main->selectedYear() : 2009; };
  host.monthNames = f_Main->monthNames();
  host.od_Load = &f_Main->od_Load;
  host.programDir = context.programDir;
  host.locatePicture = [](const QString& held) { return f_Main ? f_Main->state().locatePicture(held) : QString(); };
  windows.options = ui::windows().make<Tf_Options>(std::move(host));
  f_Options = windows.options.get();
  windows.print = ui::windows().make<Tf_Print>();
  f_Print = windows.print.get();
  return windows;
}

}  // namespace orvella
