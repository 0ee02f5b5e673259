// SVG surfaces from the module, loaded the first time one is made.
#include "preview/sinks/svg_device.h"

#include "platform/modules/program_module.h"

namespace orvella::sinks {

std::unique_ptr<QPaintDevice> makeSvgDevice(QIODevice& out, const QString& title, int dpi, QSize pixels) {
  static const auto function = reinterpret_cast<MakeSvgDeviceFunction>(
      programModuleFunction(QString::fromLatin1(kSvgDeviceModule), kMakeSvgDeviceFunction));
  return std::unique_ptr<QPaintDevice>(function(out, title, dpi, pixels));
}

}  // namespace orvella::sinks
