// Loading the name-day table from the built-in entries and the name-day file.
#include "calendar/namedays/name_days.h"

#include "platform/settings/ini_file.h"

namespace orvella {

namespace {
int indexOf(int monthIndex, int day) {
  if (monthIndex < 0 || monthIndex > 11 || day < 1 || day > 31) return -1;
  return monthIndex * 31 + (day - 1);
}
}  // namespace

void NameDays::load_forenames(const QString& programDir) {
  const IniFile file(programDir + QStringLiteral("/holidays/default.ini"));
  for (int month = 1; month <= 12; ++month) {
    const QString section = QString::number(month);
    for (int day = 1; day <= 31; ++day) {
      const int index = indexOf(month - 1, day);
      entries_[index] =
          file.readString(section, QString::number(day), QString::fromUtf8(builtInNameDays()[index]));
    }
  }
}

const QString& NameDays::entry(int monthIndex, int day) const {
  static const QString kNone;
  const int index = indexOf(monthIndex, day);
  return index < 0 ? kNone : entries_[index];
}

QString NameDays::builtInEntry(int monthIndex, int day) {
  const int index = indexOf(monthIndex, day);
  return index < 0 ? QString() : QString::fromUtf8(builtInNameDays()[index]);
}

}  // namespace orvella
