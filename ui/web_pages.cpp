// Web pages through the seam.
#include "ui/web_pages.h"

#include "platform/desktop/web_address.h"
#include "ui/dialog_seams.h"

namespace orvella::ui {

bool openWebPage(const QString& address) {
  if (const auto answer = seams().webPages.answerFor(address)) return *answer;
  return openWebAddress(address);
}

}  // namespace orvella::ui
