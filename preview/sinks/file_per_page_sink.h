// Sinks that write each page to a file of its own, numbered when there are several: a picture of the
// paper at the output's resolution.
#pragma once

#include <QSize>

#include "preview/sinks/output_files.h"
#include "preview/sinks/page_sink.h"

namespace orvella::sinks {

class FilePerPageSink : public PageSink {
 public:
  FilePerPageSink(QString output, const SinkOptions& options) : output_(std::move(output)), options_(options) {}
  void add(const page::GeneratedPage& page, const PageTag& tag) final;
  void commit() final { files_.commit(); }

 protected:
  // Writes the page into its file: the paper the page is printed on, pixels across and down at dpi.
  virtual void write(const page::GeneratedPage& page, OutputFile& file, QSize pixels, int dpi) = 0;

 private:
  QString output_;
  SinkOptions options_;
  OutputFiles files_;
};

}  // namespace orvella::sinks
