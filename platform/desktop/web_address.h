// Opens a web address in the user's default browser.
#pragma once

#include <QString>
#include <functional>

namespace orvella {

// Returns false when nothing could open it. Tests replace the opener.
bool openWebAddress(const QString& address);
using WebOpener = std::function<bool(const QString&)>;
void setWebOpener(WebOpener opener);  // an empty opener restores the default browser

}  // namespace orvella
