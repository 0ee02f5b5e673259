#include "ui/flat_tool_bar_style.h"

#include <QApplication>
#include <QPointer>

namespace orvella::ui {

int FlatToolBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  switch (metric) {
    case PM_ToolBarFrameWidth:
    case PM_ToolBarItemSpacing:
      return 0;
    case PM_ToolBarItemMargin:
      return 1;
    default:
      return LazyIconStyle::pixelMetric(metric, option, widget);
  }
}

void FlatToolBarStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
  if (element == CE_ToolBar) return;
  LazyIconStyle::drawControl(element, option, painter, widget);
}

QStyle* flatToolBarStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    // Over the style the toolkit chose, not over the program's own proxy of it.
    const QStyle* chosen = QApplication::style();
    if (const auto* proxy = qobject_cast<const QProxyStyle*>(chosen)) chosen = proxy->baseStyle();
    style = new FlatToolBarStyle(chosen->name());
    style->setParent(qApp);
  }
  return style;
}

}  // namespace orvella::ui
