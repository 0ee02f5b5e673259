// The one table of the formats pages are written in, found by the output's suffix.
#include <QFileInfo>

#include "preview/sinks/page_sink.h"

namespace orvella::sinks {

std::unique_ptr<PageSink> openPdfSink(const QString& output, const SinkOptions& options);
std::unique_ptr<PageSink> openPngSink(const QString& output, const SinkOptions& options);
std::unique_ptr<PageSink> openSvgSink(const QString& output, const SinkOptions& options);
std::unique_ptr<PageSink> openJsonSink(const QString& output, const SinkOptions& options);
std::unique_ptr<PageSink> openReportSink(const QString& output, const SinkOptions& options);

const std::vector<SinkFormat>& sinkFormats() {
  // Photos in a PDF gain nothing in print beyond about 300 pixels per inch; images default to 150.
  static const std::vector<SinkFormat> formats{
      {QStringLiteral("pdf"), 300, false, openPdfSink},
      {QStringLiteral("png"), 150, true, openPngSink},
      {QStringLiteral("svg"), 150, true, openSvgSink},
      {QStringLiteral("json"), 0, false, openJsonSink},
      {QStringLiteral("qrp"), 0, false, openReportSink},
  };
  return formats;
}

const SinkFormat* sinkFormat(const QString& suffix) {
  for (const SinkFormat& format : sinkFormats())
    if (format.suffix.compare(suffix, Qt::CaseInsensitive) == 0) return &format;
  return nullptr;
}

const SinkFormat* sinkFormatOf(const QString& output) { return sinkFormat(QFileInfo(output).suffix()); }

QString sinkSuffixList() {
  QStringList suffixes;
  for (const SinkFormat& format : sinkFormats()) suffixes << QLatin1Char('.') + format.suffix;
  const QString last = suffixes.takeLast();
  return suffixes.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString fileForPage(const QString& output, int number, bool severalPages) {
  if (!severalPages) return output;
  const qsizetype dot = output.lastIndexOf(QLatin1Char('.'));
  return output.left(dot) + QStringLiteral("-%1").arg(number, 2, 10, QLatin1Char('0')) + output.mid(dot);
}

QStringList sinkTargets(const SinkFormat& format, const QString& output, const std::vector<int>& numbers) {
  if (!format.filePerPage) return {output};
  QStringList targets;
  for (int number : numbers) targets << fileForPage(output, number, numbers.size() > 1);
  return targets;
}

}  // namespace orvella::sinks
