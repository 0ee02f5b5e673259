// How a label's caption falls into lines: measured once in layout units, so that the screen, the
// printer and the height rule all break and stack the lines alike.
#pragma once

#include <QString>
#include <QStringList>
#include <limits>

#include "calendar/page/page_element.h"

namespace orvella::page {

// Vertical metrics of a font in layout units (1/48 inch) at page scale 1.
struct LineMetrics {
  double ascent = 0;
  double descent = 0;
  double height() const { return ascent + descent; }  // one line; lines stack this far apart
};

LineMetrics lineMetrics(const ElementFont& font);

// Width of a text in layout units.
double textWidth(const ElementFont& font, const QString& text);

// The caption split at carriage returns (line feeds dropped) and, with word wrap on, broken between
// words where a line would grow wider than the label. A word wider than the label stays whole.
// Breaking stops once `maxLines` lines are made.
QStringList labelLines(const Element& label, int maxLines = std::numeric_limits<int>::max());

// How many of `lineCount` lines of line height `lineHeight` (layout units) fit whole into the label:
// a line fits when its bottom lies no more than 0.1 mm below the label's bottom edge.
int wholeLinesFitting(const Element& label, double lineHeight, int lineCount);

}  // namespace orvella::page
