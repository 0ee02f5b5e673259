// The program-wide state and the steps the main window's handlers take with it.
#include "app/program_state.h"

#include "app/core/program_data.h"
#include "theme/model/holiday_table.h"

namespace orvella {

ProgramState::ProgramState(const ProgramContext& context)
    : themeFiles(theme, context.programDir, context.workingDir()), context_(context) {}

void ProgramState::registerProgramFonts() { orvella::registerProgramFonts(context_.programDir); }

void ProgramState::resizeFebruary(int year) { orvella::resizeFebruary(theme, year); }

QString ProgramState::locatePicture(const QString& held) const {
  return locateProgramPicture(context_.programDir, held);
}

void ProgramState::compose(page::PrintForm& form, const MonthRequest& request,
                           std::function<QString(const QString&)> expandLine) const {
  const CompositionSources sources{theme, nameDays, std::move(expandLine),
                                   [this](const QString& held) { return locatePicture(held); }};
  composeMonth(form, request, sources);
}

}  // namespace orvella
