// The elements of the print page: labels, images, the header shape and the title band.
#pragma once

#include <QRectF>
#include <QString>

#include "platform/colors/colors.h"
#include "platform/pictures/picture.h"

namespace orvella::page {

enum class ElementKind { Label, Image, Shape, Band, Moon };
enum class Alignment { Left, Right, Center };

// Frame edges drawn around an element's box: solid lines, width in points.
struct Frame {
  bool top = false;
  bool bottom = false;
  bool left = false;
  bool right = false;
  ColorValue color = clBlack;
  double widthPoints = 1.0;
  bool any() const { return top || bottom || left || right; }
};

struct ElementFont {
  QString name = QStringLiteral("Arial");
  int size = 10;  // points
  ColorValue color = clWindowText;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int charset = 1;  // 0 ANSI, 1 default, 238 East European: kept for the page files, not for drawing
  bool operator==(const ElementFont&) const = default;
};

// One element; the fields of the other kinds are ignored. Boxes are in layout units of 1/48 inch,
// origin at the sheet's top-left corner.
struct Element {
  QString name;  // static elements only
  ElementKind kind = ElementKind::Label;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Frame frame;
  int tag = 0;  // 1000 marks what the month composition made

  // Label
  QString caption;  // a carriage return breaks the line; line feeds are ignored
  Alignment alignment = Alignment::Left;
  ElementFont font;
  ColorValue backgroundColor = clWhite;
  bool transparent = false;
  bool wordWrap = false;
  bool autoSize = false;
  bool autoStretch = false;

  // Image
  Picture picture;
  bool stretch = false;
  // With stretch on, the part of the picture drawn into the box, in the units of its natural size
  // (picture's pixels at 96 dpi); empty: the whole picture. The rest is cut off.
  QRectF crop;

  // Shape (a filled rectangle without outline) and band; the colour of a moon symbol
  ColorValue fillColor = clWhite;

  // Moon: a principal phase of the Moon drawn as a symbol in the box, and the day it falls on
  int phase = 0;  // 0 new moon, 1 first quarter, 2 full moon, 3 last quarter
  int day = 0;
};

}  // namespace orvella::page
