// The program-wide state of the main window's unit: the theme, the name days and the theme files.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "app/program_context.h"
#include "calendar/composition/month_composition.h"
#include "calendar/namedays/name_days.h"
#include "theme/files/theme_files.h"
#include "theme/model/theme.h"

namespace orvella {

class ProgramState {
 public:
  explicit ProgramState(const ProgramContext& context);

  Theme theme;
  NameDays nameDays;
  ThemeFiles themeFiles;

  void registerProgramFonts();
  void loadForenames() { nameDays.load_forenames(context_.programDir); }

  // A picture path as the theme holds it -> the file to load, or empty when there is none. Relative
  // paths are taken against the program's folder, and names compare without regard to case.
  QString locatePicture(const QString& held) const;

  // A request for the month (1..12) of the year with the theme as it is now: whatever changes the
  // theme or the window afterwards does not reach the page.
  MonthRequest request(int year, int month, const RequestOptions& options) const;
  // Composes a request, sparing the pictures decoded for the requests before.
  ComposedPage compose(const MonthRequest& request) { return composer_.compose(request); }

 private:
  ProgramContext context_;
  PageComposer composer_;
};

}  // namespace orvella
