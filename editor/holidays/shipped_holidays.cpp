// Listing the national holidays files of the program's "holidays" folder.
#include "editor/holidays/shipped_holidays.h"

#include <QDir>
#include <QFileInfo>

#include "platform/settings/ini_file.h"

namespace orvella {

std::vector<ShippedHolidays> shippedHolidays(const QString& programDir) {
  std::vector<ShippedHolidays> files;
  const QDir folder(programDir + QStringLiteral("/holidays"));
  for (const QFileInfo& info : folder.entryInfoList({QStringLiteral("*.hln")}, QDir::Files, QDir::Name)) {
    const IniFile file(info.filePath());
    const QString about = QStringLiteral("about");
    files.push_back({info.completeBaseName(), info.filePath(),
                     file.readString(about, QStringLiteral("country"), {}),
                     file.readString(about, QStringLiteral("name"), {})});
  }
  return files;
}

QString shippedHolidaysFile(const QString& programDir, const QString& name) {
  const QString suffix = QStringLiteral(".hln");
  const QString bare = name.endsWith(suffix, Qt::CaseInsensitive) ? name.chopped(suffix.size()) : name;
  for (const ShippedHolidays& file : shippedHolidays(programDir))
    if (file.name.compare(bare, Qt::CaseInsensitive) == 0) return file.path;
  return {};
}

QString shippedHolidaysList(const QString& programDir) {
  QString list;
  for (const ShippedHolidays& file : shippedHolidays(programDir))
    list += QStringLiteral("%1 %2 %3\n").arg(file.name, -16).arg(file.country, -3).arg(file.countryName);
  return list;
}

}  // namespace orvella
