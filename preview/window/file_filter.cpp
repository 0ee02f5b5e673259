// Windows file-dialog filters ("Text files (*.txt)|*.txt|...") in the form Qt's dialogs take.
#include "preview/window/file_filter.h"

#include <QStringList>

namespace orvella::preview {

QString qtFileFilter(const QString& windowsFilter) {
  const QStringList parts = windowsFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString description = parts[i];
    QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (description.contains(QLatin1Char('(')) && description.endsWith(QLatin1Char(')')))
      filters << description;
    else if (patterns.isEmpty())
      filters << description;
    else
      filters << description + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace orvella::preview
