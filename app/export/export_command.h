// Composing months without windows: orvella --export OUT --year Y --month M[-M2] [--theme FILE] [--dpi N]
// [--holidays FILE.hln]... [--paper a4|a3|letter|legal] [--lang NAME] [--bleed MM] [--marks]
#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace orvella {

struct Theme;
class NameDays;

// What the export is asked to do. Each field is filled by one option of the command line
// (command_line.cpp): a new option is one entry in its table and one field here.
struct ExportRequest {
  QString output;  // its suffix chooses the format (preview/sinks)
  int year = 0;
  int firstMonth = 1;
  int lastMonth = 1;
  QString themeFile;  // empty: the default theme
  int dpi = 0;        // 0: the format's default (PDF 300, PNG and SVG 150)
  // National holidays files added to the theme for the year, in this order.
  QStringList holidayFiles{};
  // The paper of PDF pages and images, in landscape; on any but A4 the page is scaled to fit, centred.
  QPageSize::PageSizeId paper = QPageSize::A4;
  // The language of the page texts that follow the interface language and of the export's messages:
  // "english", "espanol" or "polski"; empty: the program's own Polish.
  QString language{};
  double bleedMm = 0;  // PDF pages: the background beyond the sheet for a print shop to cut
  bool cropMarks = false;
  // The time zone whose days the Moon's phases fall on (an IANA name); empty: the computer's.
  QByteArray timeZone{};
  bool overview = false;  // the year's overview page before the months
};

// The papers --paper names ("a4", "a3", "letter", "legal", in any case); none for anything else.
std::optional<QPageSize::PageSizeId> exportPaperNamed(const QString& name);

// Composes every month of the request with the program's data in programDir and writes the output.
// Raises Error on failure; an error of the theme file or of a national holidays file is prefixed with
// the file's name. Returns what the user should hear of although the export went on: entries of
// national holidays files that were left out because their date could not be worked out, pictures
// left off because they cannot be read.
QStringList runExport(const ExportRequest& request, const QString& programDir);

// The same with a theme and name days already loaded (the program's fonts registered by the caller);
// pictures the theme names by relative path are looked for in programDir. Each month is composed and
// written before the next is composed, so only one month's pictures are held at a time. The output is
// written all at once when every month succeeded, else not at all; an output that exists as anything
// but a regular file is refused before any work.
QStringList exportMonths(const ExportRequest& request, const Theme& theme, const NameDays& nameDays,
                         const QString& programDir);

}  // namespace orvella
