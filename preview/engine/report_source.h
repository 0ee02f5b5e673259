// What a preview shows: a way to generate the pages, and where the printer choices are kept.
#pragma once

#include <functional>
#include <vector>

#include "calendar/page/generated_page.h"

namespace orvella::report {

struct ReportSource {
  // Generates every page at once as self-contained snapshots: whatever the page does afterwards
  // (another composition, another preview) cannot change what an open preview shows and prints.
  std::function<std::vector<page::GeneratedPage>()> generate;
  // Or pages made one at a time, each when its turn comes (the months of a year, composed one after
  // another): how many there will be, and the page of an index (0 first). Used instead of generate
  // when set.
  int pageCount = 0;
  std::function<page::GeneratedPage(int index)> generatePage;
  // Receives the settings the printer setup chose (its OK); may be empty.
  std::function<void(const page::PageSettings&)> storeSettings;
  // Raised when the preview window has closed; may be empty.
  std::function<void()> afterPreview;
};

}  // namespace orvella::report
