// The table of element kinds.
#include "calendar/page/element_kinds.h"

#include <array>
#include <cmath>

#include "calendar/page/element_painter.h"

namespace orvella::page {

namespace {

QString alignmentText(Alignment alignment) {
  switch (alignment) {
    case Alignment::Left: return QStringLiteral("left");
    case Alignment::Right: return QStringLiteral("right");
    case Alignment::Center: return QStringLiteral("center");
  }
  return {};
}

void describeLabel(const Element& e, QJsonObject& o) {
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
}

void describeImage(const Element& e, QJsonObject& o) {
  o[QStringLiteral("stretch")] = e.stretch;
  o[QStringLiteral("picture")] = e.picture.isNull() ? QString() : e.picture.fileName();
  if (e.crop.isEmpty()) return;
  // Hundredths of the picture's pixels are finer than any output draws.
  auto rounded = [](double value) { return std::round(value * 100.0) / 100.0; };
  o[QStringLiteral("crop")] = QJsonObject{{QStringLiteral("left"), rounded(e.crop.left())},
                                          {QStringLiteral("top"), rounded(e.crop.top())},
                                          {QStringLiteral("width"), rounded(e.crop.width())},
                                          {QStringLiteral("height"), rounded(e.crop.height())}};
}

void describeFilled(const Element& e, QJsonObject& o) { o[QStringLiteral("color")] = colorText(e.fillColor); }

void describeMoon(const Element& e, QJsonObject& o) {
  o[QStringLiteral("phase")] = e.phase;
  o[QStringLiteral("day")] = e.day;
  o[QStringLiteral("color")] = colorText(e.fillColor);
}

void drawLabel(ElementPainter& painter, const Element& e) { painter.label(e); }
void drawImage(ElementPainter& painter, const Element& e) { painter.image(e); }
void drawFilled(ElementPainter& painter, const Element& e) { painter.filled(e); }
void drawMoon(ElementPainter& painter, const Element& e) { painter.moon(e); }

// In the order of ElementKind: report files store a kind by its place here.
constexpr std::array<ElementKindInfo, 5> kKinds{{
    {ElementKind::Label, "label", drawLabel, describeLabel},
    {ElementKind::Image, "image", drawImage, describeImage},
    {ElementKind::Shape, "shape", drawFilled, describeFilled},
    {ElementKind::Band, "band", drawFilled, describeFilled},
    {ElementKind::Moon, "moon", drawMoon, describeMoon},
}};

}  // namespace

const ElementKindInfo& kindInfo(ElementKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

int elementKindCount() { return static_cast<int>(kKinds.size()); }

QString colorText(ColorValue value) {
  return QStringLiteral("0x") + QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

}  // namespace orvella::page
