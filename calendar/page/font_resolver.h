// Turns a page font (face name, points, style) into a QFont for a device or for layout measurement.
#pragma once

#include <QFont>
#include <QString>

#include "calendar/page/page_element.h"
#include "platform/fonts/font_points.h"

namespace orvella::page {

// Point sizes outside the range that every font of the program keeps to are clamped (a damaged page
// must not ask the font engine for glyphs of absurd size).
int clampedPoints(int points);

// The installed family that shows the face: the face itself when the font database has it, otherwise a
// metric-compatible substitute ("Arial" -> "Liberation Sans", "Times New Roman" -> "Liberation Serif",
// ...), otherwise the name as it stands and the platform's own substitution.
QString resolveFamily(const QString& faceName);

// The weight that the face and its bold flag ask for ("Arial Black" is heavy even without bold).
QFont::Weight resolveWeight(const QString& faceName, bool bold);

// A font whose em is `pixels` device pixels on a device of logical resolution `deviceLogicalDpi`
// (painters and font metrics size point fonts by the device's logical resolution).
QFont fontForDevice(const ElementFont& font, double pixels, double deviceLogicalDpi);

// The same face at an exact pixel size, unhinted: measurements that do not depend on any device.
QFont fontForMeasuring(const ElementFont& font, int pixelSize);

}  // namespace orvella::page
