// File names made of the month and year labels of the pages.
#include "preview/engine/page_file_name.h"

namespace orvella::report {

namespace {

// The text of the page's label of that name, on one line and without characters a file name cannot
// hold; empty when the page has no such label.
QString labelText(const page::GeneratedPage& page, const QString& name) {
  for (const page::Element& element : page.elements) {
    if (element.name.compare(name, Qt::CaseInsensitive) != 0) continue;
    QString text = element.caption;
    for (QChar& c : text)
      if (c < QChar(' ') || c == QLatin1Char('/') || c == QLatin1Char('\\')) c = QLatin1Char(' ');
    return text.simplified();
  }
  return {};
}

QString monthOf(const page::GeneratedPage& page) { return labelText(page, QStringLiteral("qr_miech")); }
QString yearOf(const page::GeneratedPage& page) { return labelText(page, QStringLiteral("QRL_rok")); }

}  // namespace

QString suggestedFileName(const std::vector<page::GeneratedPage>& pages, const QString& suffix) {
  if (pages.empty() || monthOf(pages.front()).isEmpty()) return {};
  const page::GeneratedPage& first = pages.front();
  const page::GeneratedPage& last = pages.back();
  const QString firstMonth = (monthOf(first) + QLatin1Char(' ') + yearOf(first)).trimmed();
  QString name;
  if (pages.size() == 1)
    name = firstMonth;
  else if (yearOf(first) != yearOf(last))
    name = firstMonth + QChar(0x2013) + (monthOf(last) + QLatin1Char(' ') + yearOf(last)).trimmed();
  else if (pages.size() == 12 && !yearOf(first).isEmpty())
    name = yearOf(first);
  else
    name = (monthOf(first) + QChar(0x2013) + monthOf(last) + QLatin1Char(' ') + yearOf(first)).trimmed();
  return name + QLatin1Char('.') + suffix;
}

}  // namespace orvella::report
