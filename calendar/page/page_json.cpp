// JSON form of a generated page.
#include "calendar/page/page_json.h"

#include <QJsonArray>
#include <cmath>

#include "calendar/page/element_kinds.h"
#include "calendar/page/sheet_placement.h"

namespace orvella {

namespace {

QJsonObject elementToJson(const page::Element& e) {
  const page::ElementKindInfo& kind = page::kindInfo(e.kind);
  QJsonObject o;
  o[QStringLiteral("kind")] = QLatin1String(kind.name);
  o[QStringLiteral("name")] = e.name;
  o[QStringLiteral("left")] = e.left;
  o[QStringLiteral("top")] = e.top;
  o[QStringLiteral("width")] = e.width;
  o[QStringLiteral("height")] = e.height;
  o[QStringLiteral("tag")] = e.tag;
  o[QStringLiteral("frame")] = QJsonObject{{QStringLiteral("top"), e.frame.top},
                                           {QStringLiteral("bottom"), e.frame.bottom},
                                           {QStringLiteral("left"), e.frame.left},
                                           {QStringLiteral("right"), e.frame.right}};
  kind.describe(e, o);
  return o;
}

}  // namespace

QJsonObject pageToJson(const page::GeneratedPage& page, int year, int month) {
  QJsonArray elements;
  for (const page::Element& band : page.bands) elements.append(elementToJson(band));
  for (const page::Element& e : page.elements) elements.append(elementToJson(e));
  QJsonObject json{{QStringLiteral("year"), year}, {QStringLiteral("month"), month},
                   {QStringLiteral("elements"), elements}};
  if (!page.settings.printPaper.sizeMm.isEmpty()) {
    // Hundredths of a millimetre are as fine as any printer places anything.
    auto mm = [](double value) { return std::round(value * 100.0) / 100.0; };
    const page::SheetPlacement placement = page::placementOf(page.settings);
    const QSizeF paper = page::paperSizeMm(page.settings);
    json[QStringLiteral("paper")] = QJsonObject{{QStringLiteral("width_mm"), mm(paper.width())},
                                                {QStringLiteral("height_mm"), mm(paper.height())},
                                                {QStringLiteral("scale"), std::round(placement.scale * 1e4) / 1e4},
                                                {QStringLiteral("left_mm"), mm(placement.originMm.x())},
                                                {QStringLiteral("top_mm"), mm(placement.originMm.y())}};
  }
  return json;
}

}  // namespace orvella
