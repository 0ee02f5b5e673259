// The theme archive's own two message boxes, shown through the message-box seam.
#pragma once

namespace orvella::ui {

// From now on the archive shows its errors in a critical box with an OK button, and asks for the
// next disk in an information box with OK and Cancel, both captioned with the program's name.
// Without this the archive shows nothing (it remembers the error and answers Cancel).
void showArchiveMessagesInBoxes();

}  // namespace orvella::ui
