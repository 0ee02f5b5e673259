// Cuts the same part of several page renderings (any resolution) and sets the cuts side by side at one
// height, each captioned with its file name, so bold can be compared across resolutions and outputs.
// Usage: side_by_side <out.png> <left> <top> <width> <height> <page.png>...
//   left, top, width, height: the part to cut, as fractions of the page's width and height.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 7) {
    std::fprintf(stderr, "usage: side_by_side <out.png> <left> <top> <width> <height> <page.png>...\n");
    return 2;
  }
  const QRectF part(QString::fromLatin1(argv[2]).toDouble(), QString::fromLatin1(argv[3]).toDouble(),
                    QString::fromLatin1(argv[4]).toDouble(), QString::fromLatin1(argv[5]).toDouble());
  const int cutHeight = 240;
  const int captionHeight = 24;
  std::vector<std::pair<QString, QImage>> cuts;
  for (int i = 6; i < argc; ++i) {
    const QString file = QString::fromLocal8Bit(argv[i]);
    const QImage page(file);
    if (page.isNull()) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    const QRect box(qRound(part.left() * page.width()), qRound(part.top() * page.height()),
                    qRound(part.width() * page.width()), qRound(part.height() * page.height()));
    const QImage cut = page.copy(box).scaledToHeight(cutHeight, Qt::SmoothTransformation);
    cuts.emplace_back(QStringLiteral("%1 (%2×%3)").arg(QFileInfo(file).fileName()).arg(page.width()).arg(page.height()),
                      cut);
  }
  int width = 10;
  for (const auto& cut : cuts) width += cut.second.width() + 10;
  QImage sheet(width, cutHeight + captionHeight + 20, QImage::Format_RGB32);
  sheet.fill(QColor(230, 230, 230));
  QPainter p(&sheet);
  int x = 10;
  for (const auto& [caption, cut] : cuts) {
    p.drawImage(x, 10, cut);
    p.setPen(Qt::black);
    p.drawText(QRect(x, 12 + cutHeight, cut.width(), captionHeight), Qt::AlignCenter, caption);
    x += cut.width() + 10;
  }
  p.end();
  return sheet.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
