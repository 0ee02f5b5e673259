// A tool bar drawn flat: no frame and no panel, its controls side by side with no gap inside a margin of
// one pixel; everything else as the program's style draws it. Style sheets would do the same at several
// times the cost when the window is built.
#pragma once

#include "ui/lazy_icon_style.h"

namespace orvella::ui {

class FlatToolBarStyle final : public LazyIconStyle {
 public:
  using LazyIconStyle::LazyIconStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
};

// The one flat style of the run, owned by the application.
QStyle* flatToolBarStyle();

}  // namespace orvella::ui
