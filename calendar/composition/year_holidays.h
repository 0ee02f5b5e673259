// National holidays files added to a theme's holidays for the year a page is composed for.
#pragma once

#include <QStringList>

#include "theme/model/theme.h"

namespace orvella {

// Adds each file, in order, to the theme's holiday table for year as the theme editor's "Dodaj..." adds
// one to its copy: the same skipping, the first holiday of a day wins. A bare name that is no file is
// the shipped file of that name in programDir's "holidays" ("polska"). Raises Error naming the file when
// it does not exist or its import stops on an error. Returns, for each file that had entries left out,
// the file's name and the message the editor shows about them.
QStringList addNationalHolidays(Theme& theme, const QStringList& files, int year, const QString& programDir);
// The same for a holiday table (12 rows); a 29 February the year does not have is never filled.
QStringList addNationalHolidays(HolidayTable& table, const QStringList& files, int year, const QString& programDir);

// The file a holidays file option names: the file itself, or the shipped file of a bare name. Raises
// Error naming it when there is neither.
QString nationalHolidaysFile(const QString& file, const QString& programDir);

}  // namespace orvella
