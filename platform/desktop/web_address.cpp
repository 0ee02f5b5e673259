// Opening web pages through the desktop's URL handler, with a seam for tests.
#include "platform/desktop/web_address.h"

#include <QDesktopServices>
#include <QUrl>

namespace orvella {

namespace {
WebOpener& opener() {
  static WebOpener instance;
  return instance;
}
}  // namespace

bool openWebAddress(const QString& address) {
  if (opener()) return opener()(address);
  return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void setWebOpener(WebOpener newOpener) { opener() = std::move(newOpener); }

}  // namespace orvella
