// The national holidays files installed with the program, found by their names.
#pragma once

#include <QString>
#include <vector>

namespace orvella {

struct ShippedHolidays {
  QString name;         // the file's name without ".hln": "polska"
  QString path;         // the file itself
  QString country;      // "[about]" "country": its ISO 3166 code, "PL"
  QString countryName;  // "[about]" "name": the country in its own language, "Polska"
};

// Every "*.hln" of the program's "holidays" folder, by name.
std::vector<ShippedHolidays> shippedHolidays(const QString& programDir);

// The shipped file of a name ("polska" or "polska.hln", without regard to case), or an empty path when
// none has it.
QString shippedHolidaysFile(const QString& programDir, const QString& name);

// One line a file: its name, its country's code and the country's name, in columns.
QString shippedHolidaysList(const QString& programDir);

}  // namespace orvella
