// The progress texts of generation and printing.
#pragma once

#include <QString>
#include <optional>

namespace orvella::report {

// The status panel during generation: a percentage is shown when it has grown by at least 5 since the
// last one shown; at 0 and at 100 the panel is emptied. nullopt: leave the panel as it is.
class GenerationProgress {
 public:
  std::optional<QString> next(int percent);

 private:
  int lastShown_ = 0;
};

// The printing window's text: the percentage, "% " and " Completed".
QString printingProgressText(int percent);
// The printing window changes only at multiples of 5.
inline bool printingProgressShown(int percent) { return percent % 5 == 0; }

}  // namespace orvella::report
