// Opens a web address in the user's default browser.
#pragma once

#include <QString>

namespace orvella {

// Returns false when nothing could open it. Windows reach it through the web-page seam of ui/.
bool openWebAddress(const QString& address);

}  // namespace orvella
