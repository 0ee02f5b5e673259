// The composed page models as one JSON file: {"pages": [...]}, each page as pageToJson gives it.
#include <QJsonArray>
#include <QJsonDocument>

#include "calendar/page/page_json.h"
#include "preview/sinks/output_files.h"
#include "preview/sinks/page_sink.h"

namespace orvella::sinks {

namespace {

class JsonSink final : public PageSink {
 public:
  explicit JsonSink(QString output) : output_(std::move(output)) {}

  void add(const page::GeneratedPage& page, const PageTag& tag) override {
    pages_.append(pageToJson(page, tag.year, tag.month));
  }

  void commit() override {
    OutputFiles files;
    OutputFile& file = files.open(output_);
    OutputFiles::write(file, QJsonDocument(QJsonObject{{QStringLiteral("pages"), pages_}}).toJson(QJsonDocument::Indented));
    files.commit();
  }

 private:
  QString output_;
  QJsonArray pages_;
};

}  // namespace

std::unique_ptr<PageSink> openJsonSink(const QString& output, const SinkOptions&) {
  return std::make_unique<JsonSink>(output);
}

}  // namespace orvella::sinks
