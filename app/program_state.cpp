// The program-wide state and the steps the main window's handlers take with it.
#include "app/program_state.h"

#include "app/core/program_data.h"

namespace orvella {

ProgramState::ProgramState(const ProgramContext& context)
    : themeFiles(theme, context.programDir, context.workingDir()),
      context_(context),
      composer_(PageSources{nameDays, [this](const QString& held) { return locatePicture(held); }}) {}

void ProgramState::registerProgramFonts() { orvella::registerProgramFonts(context_.programDir); }

QString ProgramState::locatePicture(const QString& held) const {
  return locateProgramPicture(context_.programDir, held);
}

MonthRequest ProgramState::request(int year, int month, const RequestOptions& options) const {
  return MonthRequest{snapshotOf(theme), year, month, options};
}

}  // namespace orvella
