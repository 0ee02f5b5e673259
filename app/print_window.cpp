// The print page window.
#include "app/print_window.h"

namespace orvella {

Tf_Print::Tf_Print(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("f_Print"));
  setWindowTitle(QStringLiteral("Strona wydruku"));
}

}  // namespace orvella
