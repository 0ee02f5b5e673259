// Web pages through the seam.
#include "ui/web_pages.h"

#include "platform/desktop/web_address.h"
#include "platform/errors/error.h"
#include "ui/dialog_seams.h"

namespace orvella::ui {

void openWebPage(const QString& address) {
  const auto answer = seams().webPages.answerFor(address);
  if (answer ? *answer : openWebAddress(address)) return;
  throw Error(formatMessage(messageText(msg_CannotOpenPage), address));
}

}  // namespace orvella::ui
