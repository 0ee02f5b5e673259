// JSON form of a generated page.
#include "calendar/composition/page_json.h"

#include <QJsonArray>
#include <cmath>

#include "calendar/page/sheet_placement.h"

namespace orvella {

namespace {

QString colorText(ColorValue value) {
  return QStringLiteral("0x") + QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

QString kindText(page::ElementKind kind) {
  switch (kind) {
    case page::ElementKind::Label: return QStringLiteral("label");
    case page::ElementKind::Image: return QStringLiteral("image");
    case page::ElementKind::Shape: return QStringLiteral("shape");
    case page::ElementKind::Band: return QStringLiteral("band");
  }
  return {};
}

QString alignmentText(page::Alignment alignment) {
  switch (alignment) {
    case page::Alignment::Left: return QStringLiteral("left");
    case page::Alignment::Right: return QStringLiteral("right");
    case page::Alignment::Center: return QStringLiteral("center");
  }
  return {};
}

QJsonObject elementToJson(const page::Element& e) {
  QJsonObject o;
  o[QStringLiteral("kind")] = kindText(e.kind);
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
  switch (e.kind) {
    case page::ElementKind::Label:
      o[QStringLiteral("caption")] = e.caption;
      o[QStringLiteral("alignment")] = alignmentText(e.alignment);
      o[QStringLiteral("font")] = QJsonObject{{QStringLiteral("name"), e.font.name},
                                              {QStringLiteral("size"), e.font.size},
                                              {QStringLiteral("color"), colorText(e.font.color)},
                                              {QStringLiteral("bold"), e.font.bold},
                                              {QStringLiteral("italic"), e.font.italic},
                                              {QStringLiteral("underline"), e.font.underline},
                                              {QStringLiteral("strikeout"), e.font.strikeout}};
      o[QStringLiteral("transparent")] = e.transparent;
      o[QStringLiteral("wordwrap")] = e.wordWrap;
      break;
    case page::ElementKind::Image:
      o[QStringLiteral("stretch")] = e.stretch;
      o[QStringLiteral("picture")] = e.picture.isNull() ? QString() : e.picture.fileName();
      break;
    case page::ElementKind::Shape:
    case page::ElementKind::Band:
      o[QStringLiteral("color")] = colorText(e.fillColor);
      break;
  }
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
