// The surface SVG drawings are painted on. Qt's SVG library lives in a module of its own, loaded when
// the first SVG is written, so that the program does not load it when it starts.
#pragma once

#include <QIODevice>
#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

namespace orvella::sinks {

// A surface of pixels at dpi whose drawing goes to out as an SVG document with that title. Raises
// Error when the module cannot be loaded.
std::unique_ptr<QPaintDevice> makeSvgDevice(QIODevice& out, const QString& title, int dpi, QSize pixels);

// The module's one function: a new surface, which the caller deletes.
using MakeSvgDeviceFunction = QPaintDevice* (*)(QIODevice& out, const QString& title, int dpi, const QSize& pixels);
inline constexpr char kSvgDeviceModule[] = "orvella_svg_device";
inline constexpr char kMakeSvgDeviceFunction[] = "orvellaMakeSvgDevice";

}  // namespace orvella::sinks
