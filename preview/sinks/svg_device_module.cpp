// The module that lends Qt's SVG writer to the program.
#include <QSvgGenerator>

#include "preview/sinks/svg_device.h"

extern "C" Q_DECL_EXPORT QPaintDevice* orvellaMakeSvgDevice(QIODevice& out, const QString& title, int dpi,
                                                            const QSize& pixels) {
  auto* svg = new QSvgGenerator;
  svg->setOutputDevice(&out);
  svg->setTitle(title);
  svg->setResolution(dpi);
  svg->setSize(pixels);
  svg->setViewBox(QRect(QPoint(0, 0), pixels));
  return svg;
}
