// What a preview shows: a way to generate the pages, and where the printer choices are kept.
#include "preview/engine/report_source.h"

#include "calendar/page/report_page.h"

namespace orvella::report {

ReportSource reportSourceFor(page::ReportPage& page, std::function<void()> afterPreview) {
  ReportSource source;
  source.generate = [&page] { return std::vector<page::GeneratedPage>{page.generate()}; };
  source.storeSettings = [&page](const page::PageSettings& settings) {
    page.settings() = settings;
    // Another orientation is another scale: each label must again hold one line of its font.
    for (page::Element* element : page.elements()) page.applyLabelHeightRule(*element);
  };
  source.afterPreview = std::move(afterPreview);
  return source;
}

}  // namespace orvella::report
