// Marker replacement for the selected year.
#include "dates/line_expansion.h"

#include <cstdint>
#include <cstdlib>

#include "dates/easter.h"
#include "dates/text_utils.h"

namespace orvella {

namespace {
const QString kMarker = QStringLiteral("@_");
}

LineExpansion::LineExpansion(std::function<int()> selectedYear) : selectedYear_(std::move(selectedYear)) {}

QString LineExpansion::zamien(const QString& keyword) const {
  QString name = keyword;
  long long age = 0;
  const qsizetype bar = keyword.indexOf(QLatin1Char('|'));
  if (bar >= 0) {
    // The year is kept to 16 bits, as a word would hold it.
    const auto year = static_cast<std::uint16_t>(toWholeNumber(keyword.mid(bar + 1)));
    name = keyword.left(bar);
    age = std::llabs(static_cast<long long>(selectedYear_()) - year);
  }
  if (name == QLatin1String("eastersunday")) return QString::number(easterSundayDayNumber(selectedYear_()));
  if (name == QLatin1String("age")) return QString::number(age);
  return {};
}

QString LineExpansion::wypelnij_linie(const QString& line) const {
  QString result;
  qsizetype from = 0;  // the unread rest of the line starts here
  for (;;) {
    const qsizetype at = line.indexOf(kMarker, from);
    if (at < 0) break;
    const QString keyword = markerKeyword(line.mid(at), kMarker);
    result += QStringView(line).mid(from, at - from);
    result += zamien(keyword);
    from = at + kMarker.size() + keyword.size();
  }
  result += QStringView(line).mid(from);
  return result;
}

}  // namespace orvella
