// Generated pages written into a PDF file, one sheet per page: the export's output and the preview's
// "Save as PDF" are the same file.
#pragma once

#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <memory>
#include <vector>

#include "calendar/page/generated_page.h"

class QPdfWriter;

namespace orvella::report {

// Text and metafiles stay vectors in a PDF whatever the resolution; it sets how finely photos are
// kept. Printed photos gain nothing beyond about 300 pixels per inch, and a photo decoded for 600 dpi
// costs four times the pixels to decode, re-encode and store.
inline constexpr int kPdfDpi = 300;

class PdfFile {
 public:
  PdfFile(const QString& path, int dpi);
  ~PdfFile();
  PdfFile(const PdfFile&) = delete;
  PdfFile& operator=(const PdfFile&) = delete;

  // Adds a sheet of the paper the page is printed on, drawn by the page renderer (scaled to fit and
  // centred when that is not the page's own paper). The document takes
  // its title from the first page. Raises Error "Unable to write to" the file.
  void add(const page::GeneratedPage& page);
  // Writes the file; until then the target is untouched, and a file never finished is dropped.
  void finish();

 private:
  void start(const page::GeneratedPage& page);

  // Destroyed in reverse: the painter ends before its writer goes.
  QSaveFile file_;
  int dpi_;
  std::unique_ptr<QPdfWriter> writer_;
  QPainter painter_;
};

// The pages into one new PDF file.
void savePdf(const QString& path, const std::vector<page::GeneratedPage>& pages, int dpi);

}  // namespace orvella::report
