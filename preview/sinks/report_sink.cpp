// The pages as a report file, which the preview's Load Report shows again.
#include "preview/engine/report_file.h"
#include "preview/sinks/output_files.h"
#include "preview/sinks/page_sink.h"

namespace orvella::sinks {

namespace {

class ReportSink final : public PageSink {
 public:
  explicit ReportSink(QString output) : output_(std::move(output)) {}

  void add(const page::GeneratedPage& page, const PageTag&) override { pages_.push_back(page); }

  void commit() override {
    OutputFiles files;
    OutputFiles::write(files.open(output_), report::encodeReport(pages_));
    files.commit();
  }

 private:
  QString output_;
  std::vector<page::GeneratedPage> pages_;
};

}  // namespace

std::unique_ptr<PageSink> openReportSink(const QString& output, const SinkOptions&) {
  return std::make_unique<ReportSink>(output);
}

}  // namespace orvella::sinks
