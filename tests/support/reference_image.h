// Drawn pictures and pages compared with reference PNGs kept in tests/data/references.
#pragma once

#include <QImage>
#include <QString>

namespace orvella::testing {

// The same packages draw the same pixels; the tolerance is for the edges of antialiased shapes. It is
// kept small enough that one missing word of a name-day cell counts.
struct ImageTolerance {
  int channel = 48;         // a pixel differs when one of its channels lies further apart than this
  double share = 0.00005;   // the share of the pixels that may differ
};

// Empty when the image matches tests/data/references/<name>.png within the tolerance; otherwise says
// how it differs. Then, and when there is no reference yet, the image is written beside the reference
// as <name>.actual.png: look at it, and when it is right, rename it to <name>.png and commit it.
QString differenceFromReference(const QImage& actual, const QString& name, const ImageTolerance& tolerance = {});

// Empty when the two pictures match within the tolerance; otherwise says how they differ.
QString imageDifference(const QImage& actual, const QImage& expected, const ImageTolerance& tolerance = {});

}  // namespace orvella::testing
