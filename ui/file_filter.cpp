// Windows file-dialog filters in Qt's form.
#include "ui/file_filter.h"

#include <QRegularExpression>
#include <QStringList>

namespace orvella::ui {

namespace {

QStringList patternsOf(const QString& text) {
  static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
  return text.split(separators, Qt::SkipEmptyParts);
}

}  // namespace

QString qtFileFilter(const QString& windowsFilter) {
  const QStringList parts = windowsFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString description = parts[i];
    QStringList patterns = patternsOf(i + 1 < parts.size() ? parts[i + 1] : QString());
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && description.endsWith(QLatin1Char(')')) &&
        patternsOf(description.mid(open + 1, description.size() - open - 2)) == patterns) {
      // The description names its own patterns: kept as written, with blanks between them.
      filters << description.left(open + 1) + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    } else {
      filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace orvella::ui
