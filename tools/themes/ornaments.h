// The left-margin pictures and holiday icons of the sample themes.
#pragma once

#include <QByteArray>
#include <QImage>

namespace themes {

// The page draws the left-margin picture at its own size, 96 pixels to the inch, in a box of 50 × 395
// layout units: 100 × 790 pixels fill it.
constexpr int kStripWidth = 100;
constexpr int kStripHeight = 790;

QImage pinesStrip();       // pines under a starry dawn
QImage moonStrip();        // the phases of the moon down a night sky
QImage lighthouseStrip();  // a lighthouse on its rocks
QImage folkStrip();        // a stem of folk flowers

// Holiday icons with a transparent ground, drawn at 64 × 64 and stretched small on the page.
QImage sunIcon();
QImage starIcon();
QImage lifebuoyIcon();
QImage rosetteIcon();

// An icon file (.ico) holding the image as its one PNG entry.
QByteArray iconFile(const QImage& image);

}  // namespace themes
