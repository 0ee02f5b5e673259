// National holidays files added to a theme for the composed year.
#include "calendar/composition/year_holidays.h"

#include <QFileInfo>

#include "dates/calc_express.h"
#include "editor/holidays/national_holidays.h"
#include "editor/holidays/shipped_holidays.h"
#include "platform/errors/error.h"
#include "theme/model/holiday_table.h"

namespace orvella {

QString nationalHolidaysFile(const QString& file, const QString& programDir) {
  if (file.contains(QLatin1Char('/')) || QFileInfo::exists(file)) return file;
  const QString shipped = shippedHolidaysFile(programDir, file);
  if (shipped.isEmpty())
    throw Error(file + QStringLiteral(": there is no such file, nor a shipped holidays file of that name "
                                      "(orvella --list-holidays lists them)"));
  return shipped;
}

QStringList addNationalHolidays(Theme& theme, const QStringList& files, int year, const QString& programDir) {
  return addNationalHolidays(theme.holidays, files, year, programDir);
}

QStringList addNationalHolidays(HolidayTable& table, const QStringList& files, int year, const QString& programDir) {
  const FebruaryOfYear february(table, year);
  QStringList notes;
  TCalcExpress ce;
  NationalHolidaysImport importer(ce);
  for (const QString& named : files) {
    const QString file = nationalHolidaysFile(named, programDir);
    const QFileInfo info(file);
    if (!info.isFile()) throw Error(file + QStringLiteral(": there is no such file"));
    if (!info.isReadable()) throw Error(file + QStringLiteral(": the file cannot be read"));
    try {
      importer.importFile(file, table, year);
    } catch (const Error& e) {
      // Messages that name the file already stand as they are.
      if (e.message().startsWith(file + QLatin1Char(':'))) throw;
      throw Error(file + QStringLiteral(": ") + e.message());
    }
    if (!importer.skipped().empty())
      notes << file + QStringLiteral(": ") + skippedHolidaysMessage(importer.skipped());
  }
  return notes;
}

}  // namespace orvella
