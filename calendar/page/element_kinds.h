// What each kind of element is: its name in page models, how it is drawn, and the keys a page model
// gives it besides those every element has. A new kind is its value in ElementKind and one entry of
// the table in element_kinds.cpp; the renderer, the page models and report files read the table.
#pragma once

#include <QJsonObject>

#include "calendar/page/page_element.h"

namespace orvella::page {

class ElementPainter;

struct ElementKindInfo {
  ElementKind kind;
  const char* name;  // "label", "image", ...
  void (*draw)(ElementPainter& painter, const Element& element);
  void (*describe)(const Element& element, QJsonObject& model);
};

// The entry of a kind; kinds are numbered 0 .. elementKindCount() - 1 in the order of the table.
const ElementKindInfo& kindInfo(ElementKind kind);
int elementKindCount();

// A colour as page models write it: "0x" and 8 hexadecimal digits of the stored value.
QString colorText(ColorValue value);

}  // namespace orvella::page
