// Extension buttons' icons through a lazy icon, drawn by the style it stands in for.
#include "ui/lazy_icon_style.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

#include "ui/lazy_icon.h"

namespace orvella::ui {

QIcon LazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
  if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
    return QProxyStyle::standardIcon(icon, option, widget);
  // The arrow points away from the bar's start, which the layout direction decides.
  const Qt::LayoutDirection direction = option   ? option->direction
                                        : widget ? widget->layoutDirection()
                                                 : QApplication::layoutDirection();
  // The icon may outlive this style, when the program is given another.
  const QPointer<const QStyle> base(baseStyle());
  return lazyIcon(
      [base, icon, direction](int side) {
        QStyleOption made;
        made.direction = direction;
        const QStyle* style = base ? base.data() : QApplication::style();
        return style->standardIcon(icon, &made).pixmap(side, side);
      },
      {16, 32});
}

}  // namespace orvella::ui
