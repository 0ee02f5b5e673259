// Zoom factors of the preview: whole percent, fitted to a view by width or as a whole.
#pragma once

#include <QSize>
#include <QSizeF>

#include "calendar/page/generated_page.h"

namespace orvella::report {

inline constexpr int kMinZoom = 2;
inline constexpr int kMaxZoom = 2000;
inline constexpr int kPageBorder = 4;  // pixels of view around the sheet

inline bool isUsableZoom(int percent) { return percent >= kMinZoom && percent <= kMaxZoom; }

// The paper the sheet is printed on (the sheet's own unless another was chosen), in screen pixels
// (96 dpi) at 100 percent.
QSizeF sheetPixelsAt100(const page::PageSettings& settings);
// The sheet in whole screen pixels at a zoom, as the page drawing rounds it.
QSize sheetPixels(const page::PageSettings& settings, int percent);

// View width / page width x 90, rounded.
int zoomToWidth(int viewWidth, const QSizeF& sheetAt100);
// The smaller of view width / page width x 95 and view height / page height x 95, rounded.
int zoomToFit(const QSize& view, const QSizeF& sheetAt100);
// One step of the zoom keys: a quarter larger, or back by as much, always by one percent at least and
// within 2..2000.
int zoomStep(int percent, bool larger);

}  // namespace orvella::report
