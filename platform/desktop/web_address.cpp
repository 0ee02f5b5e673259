// Opening web pages through the desktop's URL handler.
#include "platform/desktop/web_address.h"

#include <QDesktopServices>
#include <QUrl>

namespace orvella {

bool openWebAddress(const QString& address) { return QDesktopServices::openUrl(QUrl::fromUserInput(address)); }

}  // namespace orvella
