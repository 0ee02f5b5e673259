// The headless export: the same composition as the main window's preview, written through a page sink.
#include "app/export/export_command.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <cstdint>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

#include "app/core/program_data.h"
#include "app/export/export_folder.h"
#include "app/export/export_language.h"
#include "calendar/composition/month_composition.h"
#include "calendar/composition/year_holidays.h"
#include "calendar/namedays/name_days.h"
#include "calendar/page/sheet_placement.h"
#include "platform/errors/error.h"
#include "platform/pictures/raster_cache.h"
#include "preview/sinks/output_files.h"
#include "preview/sinks/page_sink.h"
#include "theme/files/theme_files.h"
#include "theme/model/theme.h"

namespace orvella {

namespace {

// Which decoded pictures an export keeps: those of the page it draws, and of pictures a later month
// shows again (so that a PDF embeds a photo shared by months once). Each page is drawn once, so
// anything else is of no further use.
class PicturesInUse {
 public:
  // The page is about to be drawn; later months show the files laterFiles names.
  void keepFor(const page::GeneratedPage& page, const QStringList& laterFiles) {
    std::vector<std::uint64_t> keep;
    for (const page::Element& e : page.elements) {
      if (e.kind != page::ElementKind::Image || e.picture.isNull()) continue;
      auto known = keys_.constFind(e.picture.fileName());
      if (known == keys_.cend())
        known = keys_.insert(e.picture.fileName(), pictureContentKey(e.picture.bytes()));
      keep.push_back(*known);
    }
    for (const QString& file : laterFiles)
      if (keys_.contains(file)) keep.push_back(keys_.value(file));
    RasterCache::instance().retainOnly(keep);
  }
  // Whatever ends the export, the cache goes back to its budget alone.
  ~PicturesInUse() { RasterCache::instance().retainOnly({}); }

 private:
  QHash<QString, std::uint64_t> keys_;  // picture file -> content key, for the files seen so far
};

}  // namespace

std::optional<QPageSize::PageSizeId> exportPaperNamed(const QString& name) {
  const QString key = name.trimmed().toLower();
  if (key == QLatin1String("a4")) return QPageSize::A4;
  if (key == QLatin1String("a3")) return QPageSize::A3;
  if (key == QLatin1String("letter")) return QPageSize::Letter;
  if (key == QLatin1String("legal")) return QPageSize::Legal;
  return std::nullopt;
}

QStringList runExport(const ExportRequest& request, const QString& programDir) {
  registerProgramFonts(programDir);
  speakExportLanguage(request.language, programDir);

  // A working folder of the export's own: a running program's theme in "temp" stays untouched, several
  // exports may run at once, and the program's folder may be read-only.
  const ExportFolder working;
  if (working.path().isEmpty()) throw unableToWrite(QDir::tempPath(), QStringLiteral("no folder can be made there"));
  Theme theme;
  ThemeFiles themeFiles(theme, programDir, working.path());
  themeFiles.new_theme();
  if (!request.themeFile.isEmpty()) {
    if (!QFileInfo(request.themeFile).isFile())
      throw Error(request.themeFile + QStringLiteral(": there is no such file"));
    try {
      themeFiles.load_theme(request.themeFile);
    } catch (const Error& e) {
      throw Error(request.themeFile + QStringLiteral(": ") + e.message());
    }
  }
  NameDays nameDays;
  nameDays.load_forenames(programDir);
  QStringList notes = exportMonths(request, theme, nameDays, programDir);
  if (!themeFiles.notice().isEmpty())
    notes.prepend(request.themeFile + QStringLiteral(": ") + themeFiles.notice());
  return notes;
}

QStringList exportMonths(const ExportRequest& request, const Theme& theme, const NameDays& nameDays,
                         const QString& programDir) {
  const sinks::SinkFormat* format = sinks::sinkFormatOf(request.output);
  if (!format) throw unableToWrite(request.output, QStringLiteral("it ends in none of ") + sinks::sinkSuffixList());
  MonthRequest base;
  base.year = request.year;
  // A run into the next year (--month 9-8): each page is its month of its own year.
  const std::vector<MonthRequest> run = monthsOf(base, request.firstMonth, request.lastMonth);
  std::vector<int> months;
  if (request.overview) months.push_back(0);  // numbered 0 where pages are files of their own
  for (const MonthRequest& month : run) months.push_back(month.month);
  for (const QString& target : sinks::sinkTargets(*format, request.output, months))
    sinks::OutputFiles::checkTarget(target);

  base.theme = snapshotOf(theme);
  // The page is laid out on A4 as always; another paper only changes where it is printed.
  const QSizeF paper = QPageSize(request.paper).size(QPageSize::Millimeter).transposed();
  if (!page::samePaper(paper, page::sheetSizeMm(base.options.page))) base.options.page.printPaper.sizeMm = paper;
  base.options.dpi = request.dpi ? request.dpi : format->defaultDpi;
  base.options.language = exportLanguage(request.language, programDir);
  base.options.timeZone = request.timeZone;
  // Shipped files named bare ("polska") are found before anything is composed.
  for (const QString& file : request.holidayFiles) base.options.holidayFiles << nationalHolidaysFile(file, programDir);

  PageComposer composer(PageSources{
      nameDays, [&programDir](const QString& held) { return locateProgramPicture(programDir, held); }});
  const std::unique_ptr<sinks::PageSink> sink =
      format->open(request.output, sinks::SinkOptions{base.options.dpi, months.size() > 1,
                                                      request.bleedMm, request.cropMarks});
  // Each month's background file, looked for once: every month asks which of them later months show.
  QStringList backgrounds;
  for (int month : months)
    backgrounds << (month == 0 ? QString() : locateProgramPicture(programDir, theme.backgrounds[size_t(month - 1)]));
  PicturesInUse pictures;
  QStringList warnings;
  std::vector<MonthRequest> pages = monthsOf(base, request.firstMonth, request.lastMonth);
  if (request.overview) {
    pages.insert(pages.begin(), base);
    pages.front().kind = PageKind::YearOverview;
  }
  // Each month is composed before the one before it is written, so that a sink that draws pixels
  // decodes its pictures meanwhile; what composing it raises comes after that page, as it would.
  std::optional<ComposedPage> next = composer.compose(pages.front());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const ComposedPage composed = *std::exchange(next, std::nullopt);
    for (const QString& warning : composed.warnings)
      if (!warnings.contains(warning)) warnings << warning;
    pictures.keepFor(composed.page, backgrounds.sliced(qsizetype(i) + 1));
    std::exception_ptr failed;
    try {
      if (i + 1 < pages.size()) sink->upcoming(next.emplace(composer.compose(pages[i + 1])).page);
    } catch (...) {
      failed = std::current_exception();
    }
    sink->add(composed.page, sinks::PageTag{composed.year, composed.month, composed.month});
    if (failed) std::rethrow_exception(failed);
  }
  // Every page is drawn: the output is ended without the last month's pictures beside it.
  RasterCache::instance().retainOnly({});
  sink->commit();
  return warnings;
}

}  // namespace orvella
