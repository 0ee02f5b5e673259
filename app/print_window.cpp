// The print page window.
#include "app/print_window.h"

#include "calendar/page/print_form.h"

namespace orvella {

Tf_Print::Tf_Print(QWidget* parent) : QWidget(parent), page_(page::PrintForm().qr.generate()) {
  setObjectName(QStringLiteral("f_Print"));
  setWindowTitle(QStringLiteral("Strona wydruku"));
}

report::ReportSource Tf_Print::reportSource(std::vector<page::GeneratedPage> pages) {
  report::ReportSource source;
  source.generate = [pages = std::move(pages)] { return pages; };
  source.storeSettings = [this](const page::PageSettings& settings) { settings_ = settings; };
  source.afterPreview = [this] { qrAfterPreview(); };
  return source;
}

}  // namespace orvella
