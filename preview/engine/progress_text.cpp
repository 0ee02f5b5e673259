// The progress texts of generation and printing.
#include "preview/engine/progress_text.h"

namespace orvella::report {

std::optional<QString> GenerationProgress::next(int percent) {
  if (percent <= 0 || percent >= 100) {
    lastShown_ = percent <= 0 ? 0 : 100;
    return QString();
  }
  if (percent - lastShown_ < 5) return std::nullopt;
  lastShown_ = percent;
  return QString::number(percent) + QLatin1Char('%');
}

QString printingProgressText(int percent) {
  return QString::number(percent) + QStringLiteral("% ") + QStringLiteral(" Completed");
}

}  // namespace orvella::report
