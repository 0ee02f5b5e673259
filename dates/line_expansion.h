// Replacing "@_" markers in holiday texts, name-day texts and date expressions by values of the selected
// year: "@_eastersunday" by the day number of Easter Sunday, "@_age|1918" by the years since 1918.
#pragma once

#include <QString>
#include <functional>

namespace orvella {

class LineExpansion {
 public:
  // selectedYear is asked at every expansion, so the texts follow the year field.
  explicit LineExpansion(std::function<int()> selectedYear);

  // The replacement of one keyword (A..Z already lowered). "keyword|Y" carries a whole number Y; a text
  // after "|" that is no whole number raises Error "'%s' is not a valid integer value". An unknown or
  // empty keyword gives an empty text.
  QString zamien(const QString& keyword) const;

  // The line with every marker and its keyword replaced. Replacements are never scanned again.
  QString wypelnij_linie(const QString& line) const;

 private:
  std::function<int()> selectedYear_;
};

}  // namespace orvella
