// The steps every kind of element is drawn with, onto a painter in device pixels of the sheet. One
// element painter serves one drawing of a page and keeps the device fonts of its labels.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRect>
#include <vector>

#include "calendar/page/page_element.h"
#include "calendar/page/page_renderer.h"

class QPainter;

namespace orvella::page {

class ElementPainter {
 public:
  // visible: device pixels of the sheet that need drawing; empty: all of it.
  ElementPainter(QPainter& painter, const DeviceMapping& mapping, const QRect& visible);

  // An element whose box, with room for what may stand out of it, misses the visible part.
  bool outOfSight(const Element& e) const;
  // The box on the device, each edge mapped on its own, so boxes that share an edge on the sheet share
  // it on the device.
  QRect deviceBox(const Element& e) const;

  // A filled rectangle (shapes and bands), a label's lines, an image's picture; each with its frame.
  void filled(const Element& e);
  void label(const Element& e);
  void image(const Element& e);
  // A stretched picture's edges mirrored outward around its box, where they fall outside sheet
  // (device pixels): the background reaching into the bleed.
  void mirroredEdges(const Element& e, const QRect& sheet);
  // A phase of the Moon as seen from the north, its unlit part dark: a dark disc, a bright one (an
  // outline), or the left (first quarter) or right (last quarter) half dark, in the element's colour.
  void moon(const Element& e);

 private:
  struct DeviceFont {
    ElementFont key;
    QFont font;
    QFontMetricsF metrics;
  };
  const DeviceFont& deviceFont(const ElementFont& f);
  void frame(const Element& e, const QRect& box);
  void picture(const Picture& picture, const QRectF& target);
  // The picture drawn into target, seen through box only.
  void clipped(const Picture& pic, const QRect& box, const QRectF& target);
  // Where the whole picture goes so that its crop (all of it without one) covers box.
  QRectF coveringTarget(const Element& e, const QRectF& box);

  QPainter& painter_;
  const DeviceMapping& mapping_;
  double deviceDpiY_;  // the device's logical resolution, by which painters size point fonts
  QRect visible_;
  std::vector<DeviceFont> fonts_;  // a page has a few fonts and a hundred labels
};

}  // namespace orvella::page
