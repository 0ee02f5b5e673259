// Web pages opened in the user's browser, behind the web-page seam.
#pragma once

#include <QString>

#include "platform/errors/message_texts.h"

namespace orvella::ui {

// A page that nothing could open, its address for %s.
inline constexpr MessageText msg_CannotOpenPage{
    "msg_CannotOpenPage", "Nie udało się otworzyć strony %s. Proszę otworzyć ją w przeglądarce internetowej."};

// Opens the address in the default browser (or takes the answer a test set). When nothing could open
// it, raises Error msg_CannotOpenPage with the address, so that the user learns where the page is.
void openWebPage(const QString& address);

}  // namespace orvella::ui
