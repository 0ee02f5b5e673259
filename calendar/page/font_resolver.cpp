// Page font faces resolved through the font database, with substitutes for the classic Windows faces.
#include "calendar/page/font_resolver.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <algorithm>
#include <array>

namespace orvella::page {

namespace {

struct Substitute {
  const char* face;
  std::array<const char*, 3> families;  // tried in order
};

// Metric-compatible faces first, so that text wraps as it would with the original face.
constexpr std::array<Substitute, 8> kSubstitutes{{
    {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"Arial Black", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"Arial Narrow", {"Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans Condensed"}},
    {"Helvetica", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "DejaVu Sans"}},
    {"Tahoma", {"DejaVu Sans", "Liberation Sans", "Liberation Sans"}},
    {"Times New Roman", {"Liberation Serif", "Tinos", "DejaVu Serif"}},
    {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
}};

bool isHeavyFace(const QString& faceName) {
  return faceName.contains(QLatin1String("Black"), Qt::CaseInsensitive) ||
         faceName.contains(QLatin1String("Heavy"), Qt::CaseInsensitive);
}

QFont baseFont(const ElementFont& font) {
  QFont qfont(resolveFamily(font.name));
  qfont.setWeight(resolveWeight(font.name, font.bold));
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  qfont.setStrikeOut(font.strikeout);
  qfont.setKerning(false);  // the classic renderer places glyphs by their advances alone
  return qfont;
}

}  // namespace

int clampedPoints(int points) { return clampFontPoints(points); }

namespace {

QString lookUpFamily(const QString& faceName) {
  if (faceName.isEmpty() || QFontDatabase::hasFamily(faceName)) return faceName;
  for (const auto& s : kSubstitutes) {
    if (faceName.compare(QLatin1String(s.face), Qt::CaseInsensitive) != 0) continue;
    for (const char* family : s.families)
      if (QFontDatabase::hasFamily(QLatin1String(family))) return QLatin1String(family);
  }
  return faceName;
}

// Asking the font database is a slow fontconfig query, and a page asks for the same few faces hundreds
// of times: answers are kept until the program's fonts change.
QHash<QString, QString>& resolvedFamilies() {
  static QHash<QString, QString> cache;
  static bool watching = false;
  if (!watching && qGuiApp) {
    watching = true;
    QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { resolvedFamilies().clear(); });
  }
  return cache;
}

}  // namespace

QString resolveFamily(const QString& faceName) {
  QHash<QString, QString>& cache = resolvedFamilies();
  const auto known = cache.constFind(faceName);
  if (known != cache.constEnd()) return *known;
  const QString family = lookUpFamily(faceName);
  cache.insert(faceName, family);
  return family;
}

QFont::Weight resolveWeight(const QString& faceName, bool bold) {
  if (isHeavyFace(faceName)) return QFont::Black;  // the nearest installed weight stands in
  return bold ? QFont::Bold : QFont::Normal;
}

QFont fontForDevice(const ElementFont& font, double pixels, double deviceLogicalDpi) {
  QFont qfont = baseFont(font);
  const double dpi = deviceLogicalDpi > 0 ? deviceLogicalDpi : 72.0;
  qfont.setPointSizeF(std::max(pixels, 0.01) * 72.0 / dpi);
  return qfont;
}

QFont fontForMeasuring(const ElementFont& font, int pixelSize) {
  QFont qfont = baseFont(font);
  qfont.setPixelSize(std::max(pixelSize, 1));
  qfont.setHintingPreference(QFont::PreferNoHinting);
  return qfont;
}

}  // namespace orvella::page
