// The headless export: the same composition as the main window's preview, written to PDF, PNG or JSON.
#include "app/export/export_command.h"

#include "app/core/program_data.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "app/export/export_holidays.h"
#include "app/export/png_bands.h"
#include "calendar/composition/month_composition.h"
#include "calendar/composition/month_names.h"
#include "calendar/composition/month_run.h"
#include "calendar/composition/page_json.h"
#include "calendar/namedays/name_days.h"
#include "calendar/page/page_renderer.h"
#include "calendar/page/print_form.h"
#include "calendar/page/sheet_placement.h"
#include "dates/line_expansion.h"
#include "platform/errors/error.h"
#include "platform/files/file_operations.h"
#include "platform/pictures/raster_cache.h"
#include "preview/engine/pdf_file.h"
#include "theme/files/theme_files.h"

namespace orvella {

namespace {

// PDFs as the preview's Save as PDF writes them, unless --dpi asks for another resolution.
constexpr int kDefaultPdfDpi = report::kPdfDpi;
constexpr int kDefaultPngDpi = 150;

// Only a new file or a regular one is replaced: a device, a pipe or a folder under the name, or behind
// a link of that name, is left alone.
void refuseNonRegular(const QString& output) {
  const QFileInfo info(output);
  if (info.exists() ? !info.isFile() : info.isSymLink())
    throw Error(unableToWrite(output).message() + QStringLiteral(": it is no regular file"));
}

// Files written under temporary names beside their targets, which all take their targets' places
// together once everything is written; whatever is not moved into place is removed.
class PendingOutputs {
 public:
  PendingOutputs() = default;
  PendingOutputs(const PendingOutputs&) = delete;
  PendingOutputs& operator=(const PendingOutputs&) = delete;
  ~PendingOutputs() {
    for (const auto& [partial, target] : files_) QFile::remove(partial);
  }

  // The temporary name under which target's contents are to be written.
  QString add(const QString& target) {
    const QString partial = files::createFileBeside(target);
    if (partial.isEmpty()) throw unableToWrite(target);
    files_.emplace_back(partial, target);
    return partial;
  }

  void commit() {
    while (!files_.empty()) {
      const auto [partial, target] = files_.front();
      if (!files::replaceFile(partial, target, true)) throw unableToWrite(target);
      files_.erase(files_.begin());
    }
  }

 private:
  std::vector<std::pair<QString, QString>> files_;  // partial, target
};

// A page image is drawn in bands of rows of about this many bytes, each compressed while the next is
// drawn: a 600 dpi sheet is 133 MiB as one image, its bands and their compression hold about 11 MiB.
constexpr qint64 kBandBytes = qint64(2) << 20;

void writePng(const QString& file, const QString& output, const page::GeneratedPage& page, int dpi) {
  const QSizeF paper = page::paperSizeMm(page.settings);
  const int width = static_cast<int>(std::lround(paper.width() / 25.4 * dpi));
  const int height = static_cast<int>(std::lround(paper.height() / 25.4 * dpi));
  const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
  const page::DeviceMapping mapping =
      page::DeviceMapping{double(dpi), double(dpi)}.placed(page::placementOf(page.settings));
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw unableToWrite(output);
  const int bandRows = static_cast<int>(std::clamp<qint64>(kBandBytes / (qint64(width) * 4), 1, height));
  PngBands png(out, QSize(width, height), dotsPerMeter, bandRows);
  while (png.top() < height) {
    const int top = png.top();
    QImage& band = png.nextBand();
    if (band.isNull()) throw unableToWrite(output);
    QPainter painter(&band);
    painter.translate(0, -top);
    page::drawPage(page, painter, mapping, QRect(0, top, width, band.height()));
    painter.end();
    if (!png.addBand()) throw unableToWrite(output);
  }
  if (!png.finish() || !out.flush()) throw unableToWrite(output);
  out.close();
  if (out.error() != QFileDevice::NoError) throw unableToWrite(output);
}

// Which decoded pictures an export keeps: those of the page it draws, and of pictures a later month
// shows again (so that a PDF embeds a photo shared by months once). Each page is drawn once, so
// anything else is of no further use.
class PicturesInUse {
 public:
  // The page of month (1..12) is about to be drawn; later months show the files laterFiles names.
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

 private:
  QHash<QString, std::uint64_t> keys_;  // picture file -> content key, for the files seen so far
};

void writeJson(const QString& output, const QJsonArray& pages) {
  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly)) throw unableToWrite(output);
  file.write(QJsonDocument(QJsonObject{{QStringLiteral("pages"), pages}}).toJson(QJsonDocument::Indented));
  if (!file.commit()) throw unableToWrite(output);
}

}  // namespace

std::optional<QPageSize::PageSizeId> exportPaperNamed(const QString& name) {
  const QString key = name.trimmed().toLower();
  if (key == QLatin1String("a4")) return QPageSize::A4;
  if (key == QLatin1String("a3")) return QPageSize::A3;
  if (key == QLatin1String("letter")) return QPageSize::Letter;
  if (key == QLatin1String("legal")) return QPageSize::Legal;
  return std::nullopt;
}

QString pngFileForMonth(const QString& output, int month, bool severalMonths) {
  if (!severalMonths) return output;
  const qsizetype dot = output.lastIndexOf(QLatin1Char('.'));
  return output.left(dot) + QStringLiteral("-%1").arg(month, 2, 10, QLatin1Char('0')) + output.mid(dot);
}

QStringList runExport(const ExportRequest& request, const QString& programDir) {
  registerProgramFonts(programDir);

  // A working folder of the export's own: a running program's theme in "temp" stays untouched, several
  // exports may run at once, and the program's folder may be read-only.
  const QTemporaryDir working;
  if (!working.isValid()) throw unableToWrite(working.path());
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
  QStringList notes = addNationalHolidays(theme, request.holidayFiles, request.year, programDir);
  if (!themeFiles.notice().isEmpty())
    notes.prepend(request.themeFile + QStringLiteral(": ") + themeFiles.notice());
  NameDays nameDays;
  nameDays.load_forenames(programDir);
  exportMonths(request, theme, nameDays, programDir);
  return notes;
}

void exportMonths(const ExportRequest& request, const Theme& theme, const NameDays& nameDays,
                  const QString& programDir) {
  const LineExpansion expansion([year = request.year] { return year; });
  const CompositionSources sources{theme, nameDays,
                                   [&expansion](const QString& line) { return expansion.wypelnij_linie(line); },
                                   [&programDir](const QString& held) { return locateProgramPicture(programDir, held); }};

  const QString suffix = QFileInfo(request.output).suffix().toLower();
  const bool several = request.lastMonth > request.firstMonth;
  if (suffix == QLatin1String("png")) {
    for (int month = request.firstMonth; month <= request.lastMonth; ++month)
      refuseNonRegular(pngFileForMonth(request.output, month, several));
  } else {
    refuseNonRegular(request.output);
  }

  page::PrintForm form;
  // The page is laid out on A4 as always; another paper only changes where it is printed.
  const QSizeF paper = QPageSize(request.paper).size(QPageSize::Millimeter).transposed();
  if (!page::samePaper(paper, page::sheetSizeMm(form.qr.settings()))) form.qr.settings().printPaper.sizeMm = paper;
  PendingOutputs images;
  // One PDF page per composed month, written as the months come; the file replaces OUT only when
  // it is complete.
  std::optional<report::PdfFile> pdf;
  if (suffix == QLatin1String("pdf")) pdf.emplace(request.output, request.dpi ? request.dpi : kDefaultPdfDpi);
  QJsonArray json;
  const MonthRun run(form, sources, request.year, request.firstMonth, request.lastMonth, polishMonthName);
  // Each month's background file, looked for once: every month asks which of them later months show.
  QStringList backgrounds;
  for (int index = 0; index < run.count(); ++index)
    backgrounds << sources.locatePicture(theme.backgrounds[run.monthAt(index) - 1]);
  PicturesInUse pictures;
  for (int index = 0; index < run.count(); ++index) {
    const int month = run.monthAt(index);
    const page::GeneratedPage page = run.compose(index);
    pictures.keepFor(page, backgrounds.sliced(index + 1));
    if (suffix == QLatin1String("png")) {
      const QString file = pngFileForMonth(request.output, month, several);
      writePng(images.add(file), file, page, request.dpi ? request.dpi : kDefaultPngDpi);
    } else if (suffix == QLatin1String("json")) {
      json.append(pageToJson(page, request.year, month));
    } else {
      pdf->add(page);
    }
  }
  // Every page is drawn: the file is ended without the last month's pictures beside it.
  RasterCache::instance().retainOnly({});
  images.commit();
  if (pdf) pdf->finish();
  if (suffix == QLatin1String("json")) writeJson(request.output, json);
}

}  // namespace orvella
