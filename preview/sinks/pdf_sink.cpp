// The pages as one PDF file, a sheet per page: text and metafiles stay vectors, JPEG photos keep their
// own bytes, other pictures are kept at the resolution asked for. For a print shop each sheet may get
// a bleed and crop marks around it, with its trim and bleed boxes.
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "calendar/page/page_renderer.h"
#include "platform/errors/error.h"
#include "preview/engine/print_pages.h"
#include "preview/sinks/output_files.h"
#include "preview/sinks/page_sink.h"
#include "preview/sinks/pdf_originals.h"
#include "preview/sinks/pdf_structure.h"

namespace orvella::sinks {

namespace {

// Crop marks begin this far beyond the bleed and are this long.
constexpr double kMarkGapMm = 2.0;
constexpr double kMarkLengthMm = 5.0;
constexpr double kMarkWidthPoints = 0.25;

// The month and year a calendar page shows, in its own language; empty for pages of other kinds.
struct MonthShown {
  QString month, year;
  bool operator==(const MonthShown&) const = default;
};
MonthShown monthShown(const page::GeneratedPage& page) {
  const page::Element* month = page.find(QStringLiteral("qr_miech"));
  const page::Element* year = page.find(QStringLiteral("QRL_rok"));
  if (!month || !year) return {};
  return {month->caption.simplified(), year->caption.simplified()};
}

// "Styczeń 2025", "Styczeń – Grudzień 2025", "Listopad 2025 – Luty 2026".
QString titleOf(const MonthShown& first, const MonthShown& last) {
  const QString dash = QStringLiteral(" – ");
  if (first == last) return first.month + QLatin1Char(' ') + first.year;
  if (first.year == last.year) return first.month + dash + last.month + QLatin1Char(' ') + last.year;
  return first.month + QLatin1Char(' ') + first.year + dash + last.month + QLatin1Char(' ') + last.year;
}

class PdfSink final : public PageSink {
 public:
  PdfSink(QString output, const SinkOptions& options)
      : output_(std::move(output)),
        dpi_(options.dpi),
        bleedMm_(std::max(0.0, options.bleedMm)),
        marksMm_(options.cropMarks ? kMarkGapMm + kMarkLengthMm : 0.0) {}

  // Each sheet is on the paper the page is printed on, scaled to fit and centred when that is not its
  // own; with a bleed or crop marks it is on its own paper grown by them.
  void add(const page::GeneratedPage& page, const PageTag&) override {
    const double extraMm = bleedMm_ + marksMm_;
    const bool ownPaper = extraMm > 0 || page::placementOf(page.settings).isIdentity();
    const QSizeF sheet = page::sheetSizeMm(page.settings);
    const QPageLayout layout =
        extraMm > 0 ? QPageLayout(QPageSize(sheet + QSizeF(2 * extraMm, 2 * extraMm), QPageSize::Millimeter),
                                  QPageLayout::Portrait, QMarginsF())
                    : report::paperLayoutFor(page.settings);
    if (!writer_) {
      buffer_.open(QIODevice::WriteOnly);
      writer_ = std::make_unique<QPdfWriter>(&buffer_);
      writer_->setCreator(QStringLiteral("Orvella"));
      writer_->setResolution(dpi_);
      writer_->setPageLayout(layout);
      if (!painter_.begin(writer_.get())) throw unableToWrite(output_);
      // Bitmaps and icons keep their crisp edges: Qt would otherwise make each a JPEG.
      painter_.setRenderHint(QPainter::LosslessImageRendering, true);
      title_ = page.settings.title;
      first_ = monthShown(page);
    } else {
      writer_->setPageLayout(layout);
      if (!writer_->newPage()) throw unableToWrite(output_);
    }
    if (const MonthShown last = monthShown(page); !first_.month.isEmpty() && !last.month.isEmpty())
      title_ = titleOf(first_, last);
    sheets_.push_back(ownPaper ? sheet : QSizeF());

    page::DeviceMapping mapping{double(dpi_), double(dpi_)};
    mapping.bleed = bleedMm_ * 10.0;
    if (extraMm == 0) mapping = mapping.placed(page::placementOf(page.settings));
    mapping.pictures = &originals_;
    // The sheet is moved as a whole, so that it is drawn as it is without the bleed and marks.
    painter_.save();
    painter_.translate(extraMm * dpi_ / 25.4, extraMm * dpi_ / 25.4);
    page::drawPage(page, painter_, mapping);
    if (marksMm_ > 0) drawCropMarks(sheet);
    painter_.restore();
  }

  void commit() override {
    if (!writer_) return;
    painter_.end();  // writes the document's end
    writer_.reset();
    OutputFile& file = files_.open(output_);
    finish(file);
    files_.commit();
  }

 private:
  // At each corner of the sheet, a line along each of its edges, beginning beyond the bleed.
  void drawCropMarks(const QSizeF& sheetMm) {
    const double px = dpi_ / 25.4;
    const double begin = (bleedMm_ + kMarkGapMm) * px, end = (bleedMm_ + kMarkGapMm + kMarkLengthMm) * px;
    painter_.setPen(QPen(Qt::black, kMarkWidthPoints * dpi_ / 72.0, Qt::SolidLine, Qt::FlatCap));
    for (const double x : {0.0, sheetMm.width() * px})
      for (const double y : {0.0, sheetMm.height() * px}) {
        const double outX = x > 0 ? 1 : -1, outY = y > 0 ? 1 : -1;
        painter_.drawLine(QPointF(x + outX * begin, y), QPointF(x + outX * end, y));
        painter_.drawLine(QPointF(x, y + outY * begin), QPointF(x, y + outY * end));
      }
  }

  // Qt's document with the JPEG photos' own bytes, the title and the boxes.
  void finish(OutputFile& file) {
    PdfFinish job;
    job.document = buffer_.data();
    job.name = output_;
    job.originals = originals_.originals();
    job.sheetsMm = sheets_;
    job.bleedMm = bleedMm_;
    job.marksMm = marksMm_;
    job.title = title_;
    try {
      finishPdf(job, file);
    } catch (const Error& e) {
      throw unableToWrite(output_, e.message());
    }
    file.check();
  }

  QString output_;
  int dpi_;
  double bleedMm_;
  double marksMm_;
  QString title_;
  MonthShown first_;
  std::vector<QSizeF> sheets_;  // of each page on its own paper, which gets its trim and bleed boxes
  PdfOriginals originals_;
  OutputFiles files_;
  QBuffer buffer_;
  // Destroyed in reverse: the painter ends before its writer goes.
  std::unique_ptr<QPdfWriter> writer_;
  QPainter painter_;
};

}  // namespace

std::unique_ptr<PageSink> openPdfSink(const QString& output, const SinkOptions& options) {
  return std::make_unique<PdfSink>(output, options);
}

}  // namespace orvella::sinks
