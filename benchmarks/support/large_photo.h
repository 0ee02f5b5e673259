// What the picture benchmarks share: a 24-megapixel photograph-like JPEG and the floor of one full-size
// decode, timed in processor time.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>

#include "benchmarks/support/cpu_timer.h"
#include "platform/pictures/jpeg_decoder.h"

namespace orvella::bench {

// A 6000 × 4000 photograph-like picture written as a JPEG at path: smooth gradients, shapes and fine
// noise, so that it compresses like a camera picture (several megabytes), not like a flat test card.
// Returns the file's bytes.
inline QByteArray writeLargePhoto(const QString& path) {
  QImage image(6000, 4000, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, 4000);
  sky.setColorAt(0, QColor(40, 90, 200));
  sky.setColorAt(1, QColor(240, 200, 120));
  p.fillRect(image.rect(), sky);
  QRandomGenerator random(7);
  for (int i = 0; i < 400; ++i) {
    p.setBrush(QColor::fromHsv(int(random.bounded(360)), 120, 200, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(random.bounded(6000), random.bounded(4000)), random.bounded(400) + 20,
                  random.bounded(300) + 20);
  }
  p.end();
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int n = int(random.bounded(24)) - 12;
      const QRgb c = row[x];
      row[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                    std::clamp(qBlue(c) + n, 0, 255));
    }
  }
  image.save(path, "JPG", 90);
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The floor the picture benchmarks measure against: the best of three full-size decodes, in seconds.
inline double fullDecodeSeconds(const QByteArray& jpeg) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    const CpuTimer timer;
    const QImage image = decodeJpeg(jpeg, 8, QStringLiteral("photo.jpg"));
    best = std::min(best, timer.seconds());
    if (image.isNull()) break;
  }
  return best;
}

}  // namespace orvella::bench
