// The print page window: never shown itself; its report page is what the preview shows and prints.
#pragma once

#include <QWidget>

#include "calendar/page/print_form.h"

namespace orvella {

class Tf_Print : public QWidget {
  Q_OBJECT
 public:
  explicit Tf_Print(QWidget* parent = nullptr);
  page::PrintForm& form() { return form_; }
  page::ReportPage& qr() { return form_.qr; }

 private:
  page::PrintForm form_;
};

}  // namespace orvella
