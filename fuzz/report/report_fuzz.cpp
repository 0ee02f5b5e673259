// Feeds arbitrary bytes to the report file reader: it may refuse them, never crash or run away. The
// trailing checksum is made right first, so that mutations reach the checks behind it, and whatever
// loads is drawn, as the preview would draw it.
#include <zlib.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

#include "calendar/page/page_renderer.h"
#include "platform/errors/error.h"
#include "preview/engine/report_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int argc = 1;
  static char name[] = "report_fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
  }();
  (void)app;

  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (bytes.size() >= 4 && (bytes.size() & 1)) {
    // Odd lengths get a correct checksum; even ones keep whatever they have.
    bytes.chop(4);
    const uLong sum = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.constData()),
                            static_cast<uInt>(bytes.size()));
    for (int shift = 0; shift < 32; shift += 8) bytes.append(static_cast<char>((sum >> shift) & 0xFF));
  }
  try {
    const auto pages = orvella::report::decodeReport(bytes, QStringLiteral("fuzz.QRP"));
    QImage image(120, 90, QImage::Format_RGB32);
    for (size_t i = 0; i < pages.size() && i < 3; ++i) {
      image.fill(Qt::white);
      QPainter painter(&image);
      orvella::page::drawPage(pages[i], painter, orvella::page::DeviceMapping::forScreen(10));
    }
  } catch (const orvella::Error&) {
  }
  return 0;
}
