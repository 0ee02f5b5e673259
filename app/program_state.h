// The program-wide state of the main window's unit: the theme, the name days and the theme files.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "app/program_context.h"
#include "calendar/composition/month_composition.h"
#include "calendar/composition/month_run.h"
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

  // Composes the month on the form with the line expansion given.
  void compose(page::PrintForm& form, const MonthRequest& request,
               std::function<QString(const QString&)> expandLine) const;
  // The twelve months of the year, each composed on the form as compose() composes it, with the month
  // names given (January first).
  MonthRun monthRun(page::PrintForm& form, int year, const QStringList& monthNames,
                    std::function<QString(const QString&)> expandLine) const;

 private:
  CompositionSources sources(std::function<QString(const QString&)> expandLine) const;

  ProgramContext context_;
};

}  // namespace orvella
