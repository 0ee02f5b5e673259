// Web pages opened in the user's browser, behind the web-page seam.
#pragma once

#include <QString>

namespace orvella::ui {

// Opens the address in the default browser (or takes the answer a test set); false when nothing
// could open it.
bool openWebPage(const QString& address);

}  // namespace orvella::ui
