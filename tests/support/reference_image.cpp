// Reference PNGs: the comparison, and the actual picture written beside a reference it does not match.
#include "tests/support/reference_image.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>

namespace orvella::testing {

namespace {

int channelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                   std::abs(qAlpha(a) - qAlpha(b))});
}

}  // namespace

QString differenceFromReference(const QImage& actual, const QString& name, const ImageTolerance& tolerance) {
  const QString base = QStringLiteral(ORVELLA_TEST_DATA "/references/") + name;
  const QString referencePath = base + QStringLiteral(".png");
  const QString actualPath = base + QStringLiteral(".actual.png");
  const QImage image = actual.convertToFormat(QImage::Format_ARGB32);
  auto keepActual = [&](const QString& why) {
    QDir().mkpath(QFileInfo(actualPath).path());
    image.save(actualPath);
    return why + QStringLiteral("; the picture drawn is in ") + actualPath;
  };

  const QImage reference(referencePath);
  if (reference.isNull()) return keepActual(QStringLiteral("no reference ") + referencePath);
  const QString difference = imageDifference(image, reference, tolerance);
  if (difference.isEmpty()) {
    QFile::remove(actualPath);  // from an earlier failure
    return {};
  }
  return keepActual(difference + QStringLiteral(" from ") + referencePath);
}

QString imageDifference(const QImage& actual, const QImage& expected, const ImageTolerance& tolerance) {
  const QImage image = actual.convertToFormat(QImage::Format_ARGB32);
  const QImage reference = expected.convertToFormat(QImage::Format_ARGB32);
  if (reference.size() != image.size())
    return QStringLiteral("%1 x %2 pixels, the reference %3 x %4")
        .arg(image.width())
        .arg(image.height())
        .arg(reference.width())
        .arg(reference.height());
  qint64 differing = 0;
  int worst = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int distance = channelDistance(a[x], b[x]);
      worst = std::max(worst, distance);
      if (distance > tolerance.channel) ++differing;
    }
  }
  const double share = double(differing) / (qint64(image.width()) * image.height());
  if (share <= tolerance.share) return {};
  return QStringLiteral("%1 of the pixels differ (by up to %2)").arg(share, 0, 'f', 4).arg(worst);
}

}  // namespace orvella::testing
