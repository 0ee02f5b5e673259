// Generated pages written into a PDF file, one sheet per page.
#include "preview/engine/pdf_file.h"

#include <QPdfWriter>

#include "calendar/page/page_renderer.h"
#include "platform/errors/error.h"
#include "preview/engine/print_pages.h"

namespace orvella::report {

PdfFile::PdfFile(const QString& path, int dpi) : file_(path), dpi_(dpi) {}

PdfFile::~PdfFile() {
  if (painter_.isActive()) painter_.end();
}

void PdfFile::add(const page::GeneratedPage& page) {
  if (!writer_) {
    start(page);
  } else {
    writer_->setPageLayout(paperLayoutFor(page.settings));
    if (!writer_->newPage()) throw unableToWrite(file_.fileName());
  }
  // On another paper than its own the sheet is scaled to fit and centred.
  page::drawPage(page, painter_, page::DeviceMapping{double(dpi_), double(dpi_)}.placed(page::placementOf(page.settings)));
}

void PdfFile::finish() {
  if (!writer_) return;
  painter_.end();
  writer_.reset();
  if (!file_.commit()) throw unableToWrite(file_.fileName());
}

void PdfFile::start(const page::GeneratedPage& page) {
  if (!file_.open(QIODevice::WriteOnly)) throw unableToWrite(file_.fileName());
  writer_ = std::make_unique<QPdfWriter>(&file_);
  writer_->setCreator(QStringLiteral("Orvella"));
  writer_->setTitle(page.settings.title);
  writer_->setResolution(dpi_);
  writer_->setPageLayout(paperLayoutFor(page.settings));
  if (!painter_.begin(writer_.get())) throw unableToWrite(file_.fileName());
}

void savePdf(const QString& path, const std::vector<page::GeneratedPage>& pages, int dpi) {
  PdfFile pdf(path, dpi);
  for (const page::GeneratedPage& page : pages) pdf.add(page);
  pdf.finish();
}

}  // namespace orvella::report
