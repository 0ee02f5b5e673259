// The program-wide state and the steps the main window's handlers take with it.
#include "app/program_state.h"

#include <QDir>
#include <QFileInfo>

#include "platform/desktop/font_registry.h"
#include "platform/files/path_names.h"
#include "theme/model/holiday_table.h"

namespace orvella {

ProgramState::ProgramState(const ProgramContext& context)
    : themeFiles(theme, context.programDir), context_(context) {}

void ProgramState::registerProgramFonts() {
  registerFontFile(context_.path(QStringLiteral("fonts/sfintellivised.ttf")));
  registerFontFile(context_.path(QStringLiteral("fonts/sfintellivisedoutline.ttf")));
}

void ProgramState::resizeFebruary(int year) { orvella::resizeFebruary(theme, year); }

QString ProgramState::locatePicture(const QString& held) const {
  if (held.trimmed().isEmpty()) return {};
  QString path = files::toSlashes(held);
  if (QFileInfo(path).isRelative()) path = context_.programDir + QLatin1Char('/') + path;
  const QString found = files::resolveCaseInsensitive(path);
  return !found.isEmpty() && QFileInfo(found).isFile() ? found : QString();
}

void ProgramState::compose(page::PrintForm& form, const MonthRequest& request,
                           std::function<QString(const QString&)> expandLine) const {
  const CompositionSources sources{theme, nameDays, std::move(expandLine),
                                   [this](const QString& held) { return locatePicture(held); }};
  composeMonth(form, request, sources);
}

}  // namespace orvella
