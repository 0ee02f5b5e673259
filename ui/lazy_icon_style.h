// The toolkit's style, with the icons of the menu bar's and the tool bars' extension buttons made
// when such a button is first shown: Qt reads every picture file of a standard icon when the control
// is made (and loads its picture readers for it), for a button that stays hidden unless the bar
// overflows.
#pragma once

#include <QProxyStyle>

namespace orvella::ui {

class LazyIconStyle : public QProxyStyle {
 public:
  // key names the style it stands in for ("fusion").
  explicit LazyIconStyle(const QString& key) : QProxyStyle(key) {}
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace orvella::ui
