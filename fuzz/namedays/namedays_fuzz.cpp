// Any bytes as the name-day file "holidays/default.ini" beside the program: read into the table, and
// every entry through the line expansion, as a composed page shows it.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "calendar/namedays/name_days.h"
#include "dates/line_expansion.h"
#include "platform/errors/error.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir program;
  if (!program.isValid()) return 0;
  QDir().mkpath(program.filePath(QStringLiteral("holidays")));
  {
    QFile file(program.filePath(QStringLiteral("holidays/default.ini")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  orvella::NameDays nameDays;
  nameDays.load_forenames(program.path());
  const orvella::LineExpansion expansion([] { return 2024; });
  for (int month = 0; month < 12; ++month) {
    for (int day = 1; day <= 31; ++day) {
      const QString& entry = nameDays.entry(month, day);
      check(entry.size() <= 2047);
      try {
        expansion.wypelnij_linie(entry);
      } catch (const orvella::Error&) {
        // A marker that is no number stops the composition with its message.
      }
    }
  }
  check(nameDays.entry(12, 1).isEmpty() && nameDays.entry(0, 32).isEmpty());
  return 0;
}
