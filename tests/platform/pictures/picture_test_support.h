// Helpers shared by the picture tests: sample files, rendering into an image, colour checks.
#pragma once

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdlib>
#include <string>

#include "platform/pictures/picture.h"

namespace orvella::test {

inline QString sample(const char* name) {
  return QStringLiteral(ORVELLA_TEST_DATA "/pictures/") + QLatin1String(name);
}

inline QByteArray sampleBytes(const char* name) {
  QFile f(sample(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Draws picture stretched onto target inside a white canvas of the given size.
inline QImage render(const Picture& picture, QSize canvas, QRectF target) {
  QImage image(canvas, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  picture.draw(painter, target);
  painter.end();
  return image;
}

inline bool near(QRgb actual, QColor expected, int tolerance = 24) {
  return std::abs(qRed(actual) - expected.red()) <= tolerance &&
         std::abs(qGreen(actual) - expected.green()) <= tolerance &&
         std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

inline std::string describe(QRgb c) {
  return QStringLiteral("rgb(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)).toStdString();
}

}  // namespace orvella::test
