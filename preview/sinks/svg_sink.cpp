// The pages as SVG drawings, one file per page like images: text and metafiles stay vectors, photos
// are embedded at the resolution asked for.
#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <cmath>

#include "calendar/page/page_renderer.h"
#include "platform/errors/error.h"
#include "preview/sinks/file_per_page_sink.h"
#include "preview/sinks/svg_device.h"

namespace orvella::sinks {

namespace {

// The writer's drawing made right for every renderer. It puts each state of the painter in a group of
// its own, the groups side by side:
// - strokes that keep their width whatever the scale (hairlines, written with "vector-effect:
//   non-scaling-stroke", which some renderers ignore) get the width they have at their group's scale;
// - the writer keeps no clip, so a clipped picture comes between two marks (page_renderer.h): the
//   first, a rectangle over the clip, becomes a clip path around what follows up to the second.
QByteArray finishedDrawing(const QByteArray& svg) {
  static const QByteArray nonScaling = QByteArrayLiteral("vector-effect=\"non-scaling-stroke\"");
  static const QByteArray beginMark = "fill=\"" + QColor::fromRgb(page::kClipBeginMark).name().toLatin1() + '"';
  static const QByteArray endMark = "fill=\"" + QColor::fromRgb(page::kClipEndMark).name().toLatin1() + '"';
  static const QRegularExpression width(QStringLiteral("stroke-width=\"([^\"]*)\""));
  static const QRegularExpression matrix(QStringLiteral("transform=\"matrix\\(([^,]*),([^,]*),([^,]*),([^,]*),[^\"]*\""));
  static const QRegularExpression shape(QStringLiteral("<(rect|path|polygon)\\b([^>]*)/>"));
  QByteArray out;
  out.reserve(svg.size());
  qsizetype at = 0;
  int clips = 0;
  for (qsizetype open = svg.indexOf("<g ", at); open >= 0; open = svg.indexOf("<g ", at)) {
    const qsizetype body = svg.indexOf('>', open) + 1;
    const qsizetype close = body > 0 ? svg.indexOf("</g>", body) : -1;
    if (close < 0) break;
    QString tag = QString::fromUtf8(svg.mid(open, body - open));
    QByteArray inside = svg.mid(body, close - body);
    const QRegularExpressionMatch w = width.match(tag), m = matrix.match(tag);
    out += svg.mid(at, open - at);
    at = close;
    if (tag.contains(QLatin1String(beginMark)) && m.hasMatch()) {
      const QString id = QStringLiteral("clip%1").arg(++clips);
      const QRegularExpressionMatch area = shape.match(QString::fromUtf8(inside));
      out += QStringLiteral("<defs><clipPath id=\"%1\"><%2 %3%4/></clipPath></defs><g clip-path=\"url(#%1)\">")
                 .arg(id, area.captured(1), m.captured(0), area.captured(2))
                 .toUtf8();
      at = close + 4;
      continue;
    }
    if (tag.contains(QLatin1String(endMark))) {
      out += "</g>";
      at = close + 4;
      continue;
    }
    if (inside.contains(nonScaling) && w.hasMatch() && m.hasMatch()) {
      const double scale = std::sqrt(std::abs(m.captured(1).toDouble() * m.captured(4).toDouble() -
                                              m.captured(2).toDouble() * m.captured(3).toDouble()));
      if (scale > 0) {
        tag.replace(w.capturedStart(1), w.capturedLength(1), QString::number(w.captured(1).toDouble() / scale));
        inside.replace(nonScaling, QByteArrayLiteral("vector-effect=\"none\""));
      }
    }
    out += tag.toUtf8() + inside;
  }
  return out + svg.mid(at);
}

class SvgSink final : public FilePerPageSink {
 public:
  using FilePerPageSink::FilePerPageSink;

 private:
  void write(const page::GeneratedPage& page, OutputFile& file, QSize pixels, int dpi) override {
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    std::unique_ptr<QPaintDevice> svg;
    try {
      svg = makeSvgDevice(drawing, page.settings.title, dpi, pixels);
    } catch (const Error& e) {
      throw unableToWrite(file.target(), e.message());
    }
    QPainter painter;
    if (!painter.begin(svg.get())) throw unableToWrite(file.target());
    painter.fillRect(QRect(QPoint(0, 0), pixels), Qt::white);  // paper, as an image has it
    page::DeviceMapping mapping = mappingFor(page);
    // The program's fonts are not where a browser looks for fonts: letters go as outlines.
    mapping.textAsOutlines = true;
    mapping.marksClips = true;
    page::drawPage(page, painter, mapping);
    painter.end();
    OutputFiles::write(file, finishedDrawing(drawing.data()));
  }
};

}  // namespace

std::unique_ptr<PageSink> openSvgSink(const QString& output, const SinkOptions& options) {
  return std::make_unique<SvgSink>(output, options);
}

}  // namespace orvella::sinks
