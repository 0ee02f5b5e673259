// The print page window: never shown itself. It keeps the page composed last and the settings the
// printer setup chose, which the pages composed after it take.
#pragma once

#include <QWidget>
#include <vector>

#include "calendar/page/generated_page.h"
#include "preview/engine/report_source.h"

namespace orvella {

class Tf_Print : public QWidget {
  Q_OBJECT
 public:
  explicit Tf_Print(QWidget* parent = nullptr);

  // The page as composed last; the empty page of the form until the first composition.
  const page::GeneratedPage& page() const { return page_; }
  void keep(const page::GeneratedPage& page) { page_ = page; }
  const page::PageSettings& settings() const { return settings_; }

  // What a preview of these pages shows; its printer setup's choices are kept here.
  report::ReportSource reportSource(std::vector<page::GeneratedPage> pages = {});

  // Runs after the preview window closes; the page stays until the next composition.
  void qrAfterPreview() {}

 private:
  page::GeneratedPage page_;
  page::PageSettings settings_;
};

}  // namespace orvella
