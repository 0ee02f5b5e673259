// Line breaking and line metrics of labels, measured with unhinted fonts at a fine resolution.
#include "calendar/page/label_text.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <cmath>
#include <vector>

#include "calendar/page/font_resolver.h"
#include "calendar/page/generated_page.h"
#include "calendar/page/page_renderer.h"

namespace orvella::page {

namespace {

// Fonts are measured at 16 pixels per point (1152 dpi): 24 measuring pixels make one layout unit.
constexpr int kMeasurePixelsPerPoint = 16;
constexpr double kMeasurePixelsPerUnit = 1152.0 / kLayoutUnitsPerInch;

// One font-metrics object per font: a year of pages measures a handful of fonts thousands of times.
// Kept until the program's fonts change; a page has few fonts, so a short list is searched.
struct MeasuredFont {
  ElementFont font;
  QFontMetricsF metrics;
};

std::vector<MeasuredFont>& measuredFonts() {
  static std::vector<MeasuredFont> fonts;
  static bool watching = false;
  if (!watching && qGuiApp) {
    watching = true;
    QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
                     [] { measuredFonts().clear(); });
  }
  return fonts;
}

QFontMetricsF measuringMetrics(const ElementFont& font) {
  std::vector<MeasuredFont>& fonts = measuredFonts();
  for (const MeasuredFont& known : fonts)
    if (known.font.size == font.size && known.font == font) return known.metrics;
  constexpr std::size_t kMaxFonts = 64;  // a damaged report file may name any number of fonts
  if (fonts.size() >= kMaxFonts) fonts.clear();
  fonts.push_back(MeasuredFont{
      font, QFontMetricsF(fontForMeasuring(font, clampedPoints(font.size) * kMeasurePixelsPerPoint))});
  return fonts.back().metrics;
}

bool isBreakSpace(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Greedy breaking of one paragraph between words. Widths add up piece by piece (kerning is off), so
// a long caption costs one measurement per word.
void wrapParagraph(const QString& paragraph, const QFontMetricsF& metrics, double maxWidth, int maxLines,
                   QStringList& out) {
  QString line;
  double lineWidth = 0;
  int pos = 0;
  const int n = paragraph.size();
  while (pos < n) {
    // The next piece: the blanks before a word, then the word.
    int wordStart = pos;
    while (wordStart < n && isBreakSpace(paragraph[wordStart])) ++wordStart;
    int wordEnd = wordStart;
    while (wordEnd < n && !isBreakSpace(paragraph[wordEnd])) ++wordEnd;
    const QString piece = paragraph.mid(pos, wordEnd - pos);
    const double pieceWidth = metrics.horizontalAdvance(piece);
    if (!line.isEmpty() && wordEnd > wordStart && lineWidth + pieceWidth > maxWidth) {
      out << line;
      if (out.size() >= maxLines) return;
      line = paragraph.mid(wordStart, wordEnd - wordStart);  // blanks at a break vanish
      lineWidth = metrics.horizontalAdvance(line);
    } else {
      line += piece;
      lineWidth += pieceWidth;
    }
    pos = wordEnd;
  }
  out << line;
}

}  // namespace

LineMetrics lineMetrics(const ElementFont& font) {
  const QFontMetricsF metrics = measuringMetrics(font);
  return {metrics.ascent() / kMeasurePixelsPerUnit, metrics.descent() / kMeasurePixelsPerUnit};
}

double textWidth(const ElementFont& font, const QString& text) {
  return measuringMetrics(font).horizontalAdvance(text) / kMeasurePixelsPerUnit;
}

QStringList labelLines(const Element& label, int maxLines) {
  QString caption = label.caption;
  caption.remove(QLatin1Char('\n'));
  QStringList paragraphs = caption.split(QLatin1Char('\r'));
  if (maxLines <= 0) return {};
  if (!label.wordWrap) return paragraphs.mid(0, maxLines);

  const QFontMetricsF metrics = measuringMetrics(label.font);
  const double maxWidth = label.width * kMeasurePixelsPerUnit;
  QStringList lines;
  for (const QString& paragraph : paragraphs) {
    if (lines.size() >= maxLines) break;
    wrapParagraph(paragraph, metrics, maxWidth, maxLines, lines);
  }
  return lines;
}

int wholeLinesFitting(const Element& label, double lineHeight, int lineCount) {
  // Compared in tenths of a millimetre, the unit the placement on paper works in.
  const double limit = unitsToTenthsMm(label.height) + 1.0;
  const double step = unitsToTenthsMm(lineHeight);
  if (lineCount <= 0 || !(limit >= 0)) return 0;
  if (!(step > 0)) return 1;  // a font without height: one line, the others would only overprint it
  const double fitting = std::floor((limit + 1e-9) / step);
  return fitting >= lineCount ? lineCount : static_cast<int>(fitting);
}

}  // namespace orvella::page
