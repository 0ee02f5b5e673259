// The pages as one PDF file, a sheet per page: text and metafiles stay vectors, photos are kept at the
// resolution asked for.
#include <QPainter>
#include <QPdfWriter>

#include "calendar/page/page_renderer.h"
#include "platform/errors/error.h"
#include "preview/engine/print_pages.h"
#include "preview/sinks/output_files.h"
#include "preview/sinks/page_sink.h"

namespace orvella::sinks {

namespace {

class PdfSink final : public PageSink {
 public:
  PdfSink(QString output, int dpi) : output_(std::move(output)), dpi_(dpi) {}

  // Each sheet is on the paper the page is printed on, scaled to fit and centred when that is not its
  // own; the document takes its title from the first page.
  void add(const page::GeneratedPage& page, const PageTag&) override {
    if (!writer_) {
      file_ = &files_.open(output_);
      writer_ = std::make_unique<QPdfWriter>(file_);
      writer_->setCreator(QStringLiteral("Orvella"));
      writer_->setTitle(page.settings.title);
      writer_->setResolution(dpi_);
      writer_->setPageLayout(report::paperLayoutFor(page.settings));
      if (!painter_.begin(writer_.get())) failed();
    } else {
      writer_->setPageLayout(report::paperLayoutFor(page.settings));
      if (!writer_->newPage()) failed();
    }
    page::drawPage(page, painter_,
                   page::DeviceMapping{double(dpi_), double(dpi_)}.placed(page::placementOf(page.settings)));
    file_->check();
  }

  // The writer's own failures come from its writes: their reason is said where there is one.
  [[noreturn]] void failed() const {
    file_->check();
    throw unableToWrite(output_);
  }

  void commit() override {
    if (!writer_) return;
    painter_.end();  // writes the document's end
    writer_.reset();
    files_.commit();
  }

 private:
  QString output_;
  int dpi_;
  // Destroyed in reverse: the painter ends before its writer goes, the writer before its file.
  OutputFiles files_;
  OutputFile* file_ = nullptr;
  std::unique_ptr<QPdfWriter> writer_;
  QPainter painter_;
};

}  // namespace

std::unique_ptr<PageSink> openPdfSink(const QString& output, const SinkOptions& options) {
  return std::make_unique<PdfSink>(output, options.dpi);
}

}  // namespace orvella::sinks
