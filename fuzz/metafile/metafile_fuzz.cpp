// libFuzzer target: decodes a metafile and draws it into a small image; errors are the expected outcome.
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

#include "fuzz/gui_application.h"
#include "platform/errors/error.h"
#include "platform/pictures/picture.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  startOffscreenApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  try {
    const auto picture = orvella::decodeMetafile(bytes, QStringLiteral("fuzz.wmf"));
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture->draw(painter, QRectF(0, 0, 48, 48));
    // Once more larger than the image, under a clip, as an unstretched picture cut at its box.
    painter.setClipRect(QRectF(8, 8, 30, 30));
    painter.scale(1.5, 1.5);
    picture->draw(painter, QRectF(-40, -20, 200, 120));
    (void)picture->naturalSize();
  } catch (const orvella::Error&) {
  }
  return 0;
}
