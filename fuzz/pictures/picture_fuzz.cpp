// libFuzzer target: a stranger's picture file through Picture::fromBytes, then drawn small and large.
// The first byte picks the file name's extension, so the extension fallback is reached too.
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

#include "fuzz/gui_application.h"
#include "platform/errors/error.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/raster_cache.h"

namespace {

const char* const kNames[] = {"x.bmp", "x.ico", "x.jpg", "x.jpeg", "x.wmf", "x.emf", "x.txt", "x"};

void drawInto(const orvella::Picture& picture, QSize canvas, QRectF target, qreal scale) {
  QImage image(canvas, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  picture.draw(painter, target);
}

}  // namespace

// Metafiles with text need the application's fonts.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  startOffscreenApplication(argc, argv);
  orvella::RasterCache::instance().setBudgetBytes(std::int64_t(16) << 20);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const QString name = QLatin1String(kNames[data[0] % (sizeof kNames / sizeof *kNames)]);
  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  try {
    const orvella::Picture picture = orvella::Picture::fromBytes(bytes, name);
    (void)picture.naturalSize();
    drawInto(picture, QSize(40, 30), QRectF(0, 0, 40, 30), 1.0);
    drawInto(picture, QSize(160, 120), QRectF(-10, 5, 90, 50), 2.0);
  } catch (const orvella::Error&) {
    // The loader's error is the expected answer to a damaged file.
  }
  return 0;
}
