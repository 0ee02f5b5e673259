// Zoom factors of the preview: whole percent, fitted to a view by width or as a whole.
#include "preview/engine/zoom.h"

#include <algorithm>
#include <cmath>

#include "calendar/page/page_renderer.h"
#include "calendar/page/sheet_placement.h"

namespace orvella::report {

QSizeF sheetPixelsAt100(const page::PageSettings& settings) {
  const QSizeF paper = page::paperSizeMm(settings);
  return {paper.width() / 25.4 * 96.0, paper.height() / 25.4 * 96.0};
}

QSize sheetPixels(const page::PageSettings& settings, int percent) {
  const page::DeviceMapping mapping = page::DeviceMapping::forScreen(percent);
  const QSizeF paper = page::paperSizeMm(settings);
  return {mapping.toDeviceX(paper.width() * 10.0), mapping.toDeviceY(paper.height() * 10.0)};
}

int zoomToWidth(int viewWidth, const QSizeF& sheetAt100) {
  if (sheetAt100.width() <= 0) return 0;
  return static_cast<int>(std::lround(viewWidth / sheetAt100.width() * 90.0));
}

int zoomToFit(const QSize& view, const QSizeF& sheetAt100) {
  if (sheetAt100.width() <= 0 || sheetAt100.height() <= 0) return 0;
  const double across = view.width() / sheetAt100.width() * 95.0;
  const double down = view.height() / sheetAt100.height() * 95.0;
  return static_cast<int>(std::lround(std::min(across, down)));
}

int zoomStep(int percent, bool larger) {
  const int stepped = static_cast<int>(std::lround(larger ? percent * 1.25 : percent / 1.25));
  const int moved = larger ? std::max(stepped, percent + 1) : std::min(stepped, percent - 1);
  return std::clamp(moved, kMinZoom, kMaxZoom);
}

}  // namespace orvella::report
