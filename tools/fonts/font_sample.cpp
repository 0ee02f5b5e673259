// Registers the program's four font files, checks their family and style names and letters, and
// renders a sample sheet.
// Usage: font_sample <regular.ttf> <bold.ttf> <outline.ttf> <outline-bold.ttf> <out.png>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <cstdio>

namespace {

const char* const kLetters = "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ áéíñóúü ÁÉÍÑÓÚÜ ¿¡";

bool check(const QString& file, const QString& family, bool bold) {
  const int id = QFontDatabase::addApplicationFont(file);
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  std::printf("%s: %s\n", qPrintable(file), qPrintable(families.join(QStringLiteral(" | "))));
  if (families != QStringList{family}) {
    std::fprintf(stderr, "expected exactly \"%s\"\n", qPrintable(family));
    return false;
  }
  const QRawFont raw(file, 46);
  if ((raw.weight() >= QFont::Bold) != bold) {
    std::fprintf(stderr, "%s: expected a %s face\n", qPrintable(file), bold ? "bold" : "regular");
    return false;
  }
  for (const QChar c : QString::fromUtf8(kLetters)) {
    if (c != QLatin1Char(' ') && !raw.supportsCharacter(c)) {
      std::fprintf(stderr, "%s lacks %s\n", qPrintable(family), qPrintable(QString(c)));
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 6) {
    std::fprintf(stderr, "usage: font_sample <regular.ttf> <bold.ttf> <outline.ttf> <outline-bold.ttf> <out.png>\n");
    return 2;
  }
  if (!check(QString::fromLocal8Bit(argv[1]), QStringLiteral("SF Intellivised"), false) ||
      !check(QString::fromLocal8Bit(argv[2]), QStringLiteral("SF Intellivised"), true) ||
      !check(QString::fromLocal8Bit(argv[3]), QStringLiteral("SF Intellivised Outline"), false) ||
      !check(QString::fromLocal8Bit(argv[4]), QStringLiteral("SF Intellivised Outline"), true))
    return 1;

  // 96 dpi: 46 points are about 61 pixels, a day cell 35 mm about 132 pixels.
  QImage sheet(1100, 760, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::TextAntialiasing);
  int y = 10;
  for (const char* family : {"SF Intellivised", "SF Intellivised Outline"}) {
    for (bool bold : {false, true}) {
      QFont font(QString::fromLatin1(family));
      font.setPixelSize(61);  // 46 points at 96 dpi
      font.setBold(bold);
      p.setFont(font);
      // Seven day cells of the page's width, as the composition sets the numbers.
      for (int col = 0; col < 7; ++col) {
        const QRectF cell(10 + col * 140, y, 132, 70);
        p.setPen(QColor(200, 200, 200));
        p.drawRect(cell);
        p.setPen(Qt::black);
        p.drawText(cell, Qt::AlignHCenter | Qt::AlignTop, QString::number(col == 0 ? 8 : 24 + col));
      }
      y += 80;
    }
    QFont text(QString::fromLatin1(family));
    text.setPixelSize(30);
    p.setFont(text);
    p.drawText(10, y + 30, QString::fromUtf8(kLetters));
    p.drawText(10, y + 70, QStringLiteral("Styczeń 2005 — Zażółć gęślą jaźń, ¿Qué pasó, señor?"));
    y += 100;
  }
  QFont year(QStringLiteral("SF Intellivised Outline"));
  year.setPointSize(46);
  year.setBold(true);
  p.setFont(year);
  p.drawText(10, y + 70, QStringLiteral("2005 2017 0123456789"));
  p.end();
  if (!sheet.save(QString::fromLocal8Bit(argv[5]))) return 1;
  std::printf("sample written to %s\n", argv[5]);
  return 0;
}
