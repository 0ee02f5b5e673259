// Composing months without windows: orvella --export OUT --year Y --month M[-M2] [--theme FILE] [--dpi N].
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace orvella {

struct Theme;
class NameDays;

struct ExportRequest {
  QString output;  // ".pdf", ".png" or ".json"
  int year = 0;
  int firstMonth = 1;
  int lastMonth = 1;
  QString themeFile;  // empty: the default theme
  int dpi = 0;        // 0: the format's default (PDF 300, PNG 150)
};

// Reads the command line (without the program name); raises Error with a usage message when it is
// not a valid export request. Returns nothing when the command line asks for no export.
std::optional<ExportRequest> parseExportRequest(const QStringList& arguments, int defaultYear);

// The file a month's image goes to: OUT itself for one month, else the month number inserted before
// the extension ("cal.png" -> "cal-03.png").
QString pngFileForMonth(const QString& output, int month, bool severalMonths);

// Composes every month of the request with the program's data in programDir and writes the output.
// Raises Error on failure.
void runExport(const ExportRequest& request, const QString& programDir);

// The same with a theme and name days already loaded (the program's fonts registered by the caller);
// pictures the theme names by relative path are looked for in programDir. Each month is composed and
// written before the next is composed, so only one month's pictures are held at a time. A PDF is
// written to a temporary file that replaces OUT only when complete.
void exportMonths(const ExportRequest& request, const Theme& theme, const NameDays& nameDays,
                  const QString& programDir);

}  // namespace orvella
