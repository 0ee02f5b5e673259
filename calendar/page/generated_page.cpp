// A generated page.
#include "calendar/page/generated_page.h"

namespace orvella::page {

const Element* GeneratedPage::find(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  for (const std::vector<Element>* list : {&bands, &elements})
    for (const Element& e : *list)
      if (e.name.compare(name, Qt::CaseInsensitive) == 0) return &e;
  return nullptr;
}

}  // namespace orvella::page
