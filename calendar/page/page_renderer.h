// Draws a generated page onto any paint device: a widget at a zoom, a printer, a PDF writer, an image.
#pragma once

#include <QPointF>
#include <QRect>

#include "calendar/page/generated_page.h"
#include "calendar/page/sheet_placement.h"

class QPainter;

namespace orvella::page {

// How sheet positions reach device pixels. Positions are measured in tenths of a millimetre from the
// sheet's top-left corner and become round((position - offset) * dpi / 254), across and down apart.
// The offset is the printer's unprintable margin in tenths of a millimetre (0 on screens and images).
struct DeviceMapping {
  double dpiX = 96.0;
  double dpiY = 96.0;
  double offsetX = 0.0;  // tenths of a millimetre
  double offsetY = 0.0;
  // Nothing is drawn beyond the sheet's edges: set when the sheet lies on a larger paper, where
  // the background's overhang would otherwise show on the paper around it.
  bool clipToSheet = false;
  // Letters go as filled outlines, for devices that keep shapes but may lack the program's fonts.
  bool textAsOutlines = false;
  // For devices that keep no clip (an SVG writer): a clipped picture is drawn between two marks, a
  // rectangle over the clip in kClipBeginMark and one of a pixel in kClipEndMark, which the device's
  // writer turns into a clip of its own.
  bool marksClips = false;

  int toDeviceX(double tenthsMm) const;
  int toDeviceY(double tenthsMm) const;
  // A device offset in pixels turned into tenths of a millimetre, rounded, as the printer driver
  // reports it.
  static double offsetFromDevicePixels(double pixels, double dpi);
  // A screen at a zoom factor in percent: 96 dpi at 100 %.
  static DeviceMapping forScreen(double zoomPercent, double screenDpi = 96.0);
  // The same device with the sheet placed on its paper: a scaled sheet is drawn as if at a resolution
  // that much lower, from an origin moved by the placement; the sheet on its own paper is unchanged.
  DeviceMapping placed(const SheetPlacement& placement) const;
};

inline constexpr unsigned kClipBeginMark = 0xFE0001;
inline constexpr unsigned kClipEndMark = 0xFE0002;

// Layout units (1/48 inch) to tenths of a millimetre.
inline double unitsToTenthsMm(double units) { return units * 254.0 / kLayoutUnitsPerInch; }

// Draws the bands, then the elements in order, with the painter in device pixels of the sheet (the
// painter may be translated, so that a band of rows of the sheet lands on an image of its own; the
// painter's state is restored afterwards). With a visible rectangle (device pixels of the sheet),
// elements that cannot reach it are passed over.
void drawPage(const GeneratedPage& page, QPainter& painter, const DeviceMapping& mapping,
              const QRect& visible = QRect());

}  // namespace orvella::page
