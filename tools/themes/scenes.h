// The month backgrounds of the sample themes, drawn from noise and a palette per month: mountain
// ridges, skies of clouds, the sea, and folk patterns.
#pragma once

#include <QColor>
#include <QImage>

namespace themes {

// A background is stretched over the whole page (561 × 401 layout units); this many pixels keep a
// print sharp enough for a picture behind the day grid and the file small.
constexpr int kBackgroundWidth = 1400;
constexpr int kBackgroundHeight = 1000;

// month: 1 (January) to 12.
QImage mountainsBackground(int month);
QImage skyBackground(int month);
QImage seaBackground(int month);
QImage patternBackground(int month);

// A pane of frosted glass under the month name and under the day grid, so that the page's text reads
// over any picture: tint at the given opacity, with soft edges.
void addPanes(QImage& image, const QColor& tint, double opacity);

}  // namespace themes
