// The headless export: the same composition as the main window's preview, written to PDF, PNG or JSON.
#include "app/export/export_command.h"

#include "app/core/program_data.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cmath>
#include <memory>
#include <optional>

#include "calendar/composition/month_composition.h"
#include "calendar/composition/month_names.h"
#include "calendar/composition/page_json.h"
#include "calendar/namedays/name_days.h"
#include "calendar/page/page_renderer.h"
#include "calendar/page/print_form.h"
#include "dates/line_expansion.h"
#include "platform/errors/error.h"
#include "theme/files/theme_files.h"

namespace orvella {

namespace {

// Text and metafiles stay vectors in a PDF whatever the resolution; it sets how finely photos are
// kept. Printed photos gain nothing beyond about 300 pixels per inch, and a photo decoded for 600 dpi
// costs four times the pixels to decode, re-encode and store. --dpi asks for more.
constexpr int kDefaultPdfDpi = 300;
constexpr int kDefaultPngDpi = 150;

Error usage(const QString& why) {
  return Error(why + QStringLiteral(
                         "\nusage: orvella --export OUT.pdf|OUT.png|OUT.json --year Y --month M[-M2] "
                         "[--theme FILE] [--dpi N]"));
}

int wholeNumber(const QString& text, const QString& what) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok) throw usage(QStringLiteral("%1 is no whole number: %2").arg(what, text));
  return value;
}

Error unableToWrite(const QString& output) {
  return Error(formatMessage(QString::fromLatin1(messages::kUnableToWrite), output));
}

// One PDF page per composed month, written as the months come. The document's title is the first
// page's, so the writer starts with the first page. The file replaces OUT only when it is complete.
class PdfOutput {
 public:
  PdfOutput(const QString& output, int dpi) : file_(output), dpi_(dpi) {}

  void add(const page::GeneratedPage& page) {
    if (!writer_) {
      start(page);
    } else if (!writer_->newPage()) {
      throw unableToWrite(file_.fileName());
    }
    page::drawPage(page, painter_, page::DeviceMapping{double(dpi_), double(dpi_)});
  }

  void finish() {
    if (!writer_) return;
    painter_.end();
    writer_.reset();
    if (!file_.commit()) throw unableToWrite(file_.fileName());
  }

 private:
  void start(const page::GeneratedPage& page) {
    if (!file_.open(QIODevice::WriteOnly)) throw unableToWrite(file_.fileName());
    writer_ = std::make_unique<QPdfWriter>(&file_);
    writer_->setCreator(QStringLiteral("Orvella"));
    writer_->setTitle(page.settings.title);
    writer_->setResolution(dpi_);
    writer_->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    if (!painter_.begin(writer_.get())) throw unableToWrite(file_.fileName());
  }

  // Destroyed in reverse: the painter ends before its writer goes, and an unfinished file is dropped.
  QSaveFile file_;
  int dpi_;
  std::unique_ptr<QPdfWriter> writer_;
  QPainter painter_;
};

void writePng(const QString& output, const page::GeneratedPage& page, int dpi) {
  const int width = static_cast<int>(std::lround(page.settings.paperWidthMm / 25.4 * dpi));
  const int height = static_cast<int>(std::lround(page.settings.paperHeightMm / 25.4 * dpi));
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  image.fill(Qt::white);
  QPainter painter(&image);
  page::drawPage(page, painter, page::DeviceMapping{double(dpi), double(dpi)});
  painter.end();
  if (!image.save(output, "PNG")) throw unableToWrite(output);
}

void writeJson(const QString& output, const QJsonArray& pages) {
  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly)) throw unableToWrite(output);
  file.write(QJsonDocument(QJsonObject{{QStringLiteral("pages"), pages}}).toJson(QJsonDocument::Indented));
  if (!file.commit()) throw unableToWrite(output);
}

}  // namespace

std::optional<ExportRequest> parseExportRequest(const QStringList& arguments, int defaultYear) {
  if (!arguments.contains(QStringLiteral("--export"))) return std::nullopt;
  ExportRequest request;
  request.year = defaultYear;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& option = arguments[i];
    auto value = [&]() -> QString {
      if (i + 1 >= arguments.size()) throw usage(option + QStringLiteral(" needs a value"));
      return arguments[++i];
    };
    if (option == QLatin1String("--export")) {
      request.output = value();
    } else if (option == QLatin1String("--year")) {
      request.year = wholeNumber(value(), QStringLiteral("The year"));
    } else if (option == QLatin1String("--month")) {
      const QString months = value();
      const QStringList range = months.split(QLatin1Char('-'));
      if (range.size() > 2) throw usage(QStringLiteral("Months are M or M-M2: ") + months);
      request.firstMonth = wholeNumber(range.front(), QStringLiteral("The month"));
      request.lastMonth = range.size() == 2 ? wholeNumber(range.back(), QStringLiteral("The month")) : request.firstMonth;
      if (request.firstMonth < 1 || request.lastMonth > 12 || request.firstMonth > request.lastMonth)
        throw usage(QStringLiteral("Months run from 1 to 12, first to last: ") + months);
    } else if (option == QLatin1String("--theme")) {
      request.themeFile = value();
    } else if (option == QLatin1String("--dpi")) {
      request.dpi = wholeNumber(value(), QStringLiteral("The resolution"));
      if (request.dpi < 36 || request.dpi > 2400) throw usage(QStringLiteral("The resolution runs from 36 to 2400 dpi"));
    } else {
      throw usage(QStringLiteral("Unknown option: ") + option);
    }
  }
  const QString suffix = QFileInfo(request.output).suffix().toLower();
  if (suffix != QLatin1String("pdf") && suffix != QLatin1String("png") && suffix != QLatin1String("json"))
    throw usage(QStringLiteral("The output must end in .pdf, .png or .json: ") + request.output);
  return request;
}

QString pngFileForMonth(const QString& output, int month, bool severalMonths) {
  if (!severalMonths) return output;
  const qsizetype dot = output.lastIndexOf(QLatin1Char('.'));
  return output.left(dot) + QStringLiteral("-%1").arg(month, 2, 10, QLatin1Char('0')) + output.mid(dot);
}

void runExport(const ExportRequest& request, const QString& programDir) {
  registerProgramFonts(programDir);

  // A working folder of the export's own: a running program's theme in "temp" stays untouched, several
  // exports may run at once, and the program's folder may be read-only.
  const QTemporaryDir working;
  if (!working.isValid()) throw Error(formatMessage(QString::fromLatin1(messages::kUnableToWrite), working.path()));
  Theme theme;
  ThemeFiles themeFiles(theme, programDir, working.path());
  themeFiles.new_theme(request.year);
  if (!request.themeFile.isEmpty()) {
    if (!QFileInfo(request.themeFile).isFile()) throw Error(QStringLiteral("File does not exist: ") + request.themeFile);
    themeFiles.load_theme(request.themeFile, request.year);
  }
  NameDays nameDays;
  nameDays.load_forenames(programDir);
  exportMonths(request, theme, nameDays, programDir);
}

void exportMonths(const ExportRequest& request, const Theme& theme, const NameDays& nameDays,
                  const QString& programDir) {
  const LineExpansion expansion([year = request.year] { return year; });
  const CompositionSources sources{theme, nameDays,
                                   [&expansion](const QString& line) { return expansion.wypelnij_linie(line); },
                                   [&programDir](const QString& held) { return locateProgramPicture(programDir, held); }};

  page::PrintForm form;
  const QString suffix = QFileInfo(request.output).suffix().toLower();
  const bool several = request.lastMonth > request.firstMonth;
  std::optional<PdfOutput> pdf;
  if (suffix == QLatin1String("pdf")) pdf.emplace(request.output, request.dpi ? request.dpi : kDefaultPdfDpi);
  QJsonArray json;
  for (int month = request.firstMonth; month <= request.lastMonth; ++month) {
    composeMonth(form, MonthRequest{request.year, month - 1, polishMonthName(month - 1)}, sources);
    const page::GeneratedPage page = form.qr.generate();
    if (suffix == QLatin1String("png")) {
      writePng(pngFileForMonth(request.output, month, several), page, request.dpi ? request.dpi : kDefaultPngDpi);
    } else if (suffix == QLatin1String("json")) {
      json.append(pageToJson(page, request.year, month));
    } else {
      pdf->add(page);
    }
  }
  if (pdf) pdf->finish();
  if (suffix == QLatin1String("json")) writeJson(request.output, json);
}

}  // namespace orvella
