// The program-wide state and the steps the main window's handlers take with it.
#include "app/program_state.h"

#include "app/core/program_data.h"

namespace orvella {

ProgramState::ProgramState(const ProgramContext& context)
    : themeFiles(theme, context.programDir, context.workingDir()), context_(context) {}

void ProgramState::registerProgramFonts() { orvella::registerProgramFonts(context_.programDir); }

QString ProgramState::locatePicture(const QString& held) const {
  return locateProgramPicture(context_.programDir, held);
}

CompositionSources ProgramState::sources(std::function<QString(const QString&)> expandLine) const {
  return CompositionSources{theme, nameDays, std::move(expandLine),
                            [this](const QString& held) { return locatePicture(held); }};
}

void ProgramState::compose(page::PrintForm& form, const MonthRequest& request,
                           std::function<QString(const QString&)> expandLine) const {
  composeMonth(form, request, sources(std::move(expandLine)));
}

MonthRun ProgramState::monthRun(page::PrintForm& form, int year, const QStringList& monthNames,
                                std::function<QString(const QString&)> expandLine) const {
  return MonthRun(form, sources(std::move(expandLine)), year, 1, 12,
                  [monthNames](int index) { return monthNames.value(index); });
}

}  // namespace orvella
