// National holidays files added to a theme for the composed year.
#include "calendar/composition/year_holidays.h"

#include <QFileInfo>

#include "dates/calc_express.h"
#include "editor/holidays/national_holidays.h"
#include "platform/errors/error.h"
#include "theme/model/theme.h"

namespace orvella {

QStringList addNationalHolidays(Theme& theme, const QStringList& files, int year) {
  QStringList notes;
  TCalcExpress ce;
  NationalHolidaysImport importer(ce);
  for (const QString& file : files) {
    const QFileInfo info(file);
    if (!info.isFile()) throw Error(file + QStringLiteral(": there is no such file"));
    if (!info.isReadable()) throw Error(file + QStringLiteral(": the file cannot be read"));
    try {
      importer.importFile(file, theme.holidays, year);
    } catch (const Error& e) {
      throw Error(file + QStringLiteral(": ") + e.message());
    }
    if (!importer.skipped().empty())
      notes << file + QStringLiteral(": ") + skippedHolidaysMessage(importer.skipped());
  }
  return notes;
}

}  // namespace orvella
