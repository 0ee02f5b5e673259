// Where written pages go: one sink per file format, chosen by the output's suffix from one table. The
// export and the preview's Save buttons write through the same table.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "calendar/page/generated_page.h"

namespace orvella::sinks {

// What a page is to its output: the year and month it shows (0 when not known, as for pages read from
// a report file) and the number that names its own file among several.
struct PageTag {
  int year = 0;
  int month = 0;
  int number = 1;
};

// Takes pages one by one and writes them all at commit(), or nothing: until then every target keeps
// what it held, and a sink dropped without commit() leaves no file behind. A write that fails raises
// Error "Unable to write to FILE: reason".
class PageSink {
 public:
  virtual ~PageSink() = default;
  virtual void add(const page::GeneratedPage& page, const PageTag& tag) = 0;
  // The page that will be added after the next one, told before that one is added: a sink that draws
  // pictures as pixels decodes its pictures on a second thread meanwhile. The page need not outlive
  // the call.
  virtual void upcoming(const page::GeneratedPage& /*page*/) {}
  virtual void commit() = 0;
};

struct SinkOptions {
  int dpi = 0;                // pixels per inch of images; 0: the format's own default
  bool severalPages = false;  // formats of a file per page then number their files
  double bleedMm = 0;         // PDF: the background reaches this far beyond each edge of the sheet
  bool cropMarks = false;     // PDF: marks where the sheet is cut, outside the bleed
};

struct SinkFormat {
  QString suffix;  // lower case, without the dot
  int defaultDpi = 0;
  bool filePerPage = false;  // one file per page, numbered when there are several
  std::function<std::unique_ptr<PageSink>(const QString& output, const SinkOptions& options)> open;
};

// Every format the program writes pages in: PDF, PNG, SVG, JSON and report files.
const std::vector<SinkFormat>& sinkFormats();
// The format of a suffix ("pdf"), and of an output by its suffix, in any case; null when none has it.
const SinkFormat* sinkFormat(const QString& suffix);
const SinkFormat* sinkFormatOf(const QString& output);
// ".pdf, .png, .svg, .json or .qrp", for messages that say what the output may end in.
QString sinkSuffixList();

// The file a page goes to: the output itself, or with several pages the number before the extension
// ("cal.png" -> "cal-03.png").
QString fileForPage(const QString& output, int number, bool severalPages);
// The files an output of the format writes for pages of these numbers.
QStringList sinkTargets(const SinkFormat& format, const QString& output, const std::vector<int>& numbers);

}  // namespace orvella::sinks
