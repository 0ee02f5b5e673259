// Sinks that write each page to a file of its own, numbered when there are several: a picture of the
// paper at the output's resolution.
#pragma once

#include <QSize>
#include <future>

#include "calendar/page/page_renderer.h"
#include "preview/sinks/output_files.h"
#include "preview/sinks/page_sink.h"

namespace orvella::sinks {

class FilePerPageSink : public PageSink {
 public:
  FilePerPageSink(QString output, const SinkOptions& options) : output_(std::move(output)), options_(options) {}
  ~FilePerPageSink() override;
  void add(const page::GeneratedPage& page, const PageTag& tag) final;
  // Decodes the page's pictures at the size this sink draws them on a thread of its own, one page at
  // a time, while the page before is written.
  void upcoming(const page::GeneratedPage& page) final;
  void commit() final;

 protected:
  // Writes the page into its file: the paper the page is printed on, pixels across and down at dpi.
  virtual void write(const page::GeneratedPage& page, OutputFile& file, QSize pixels, int dpi) = 0;
  // How the page's sheet reaches the file's pixels.
  page::DeviceMapping mappingFor(const page::GeneratedPage& page) const;

 private:
  QSize pixelsFor(const page::GeneratedPage& page) const;

  QString output_;
  SinkOptions options_;
  OutputFiles files_;
  std::future<void> decoding_;  // the upcoming page's pictures
};

}  // namespace orvella::sinks
