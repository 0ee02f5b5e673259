// Single characters in the Windows-1250 code page, the byte form in which formulas are scanned.
#pragma once

#include <QChar>

namespace orvella {

// The Windows-1250 byte of a character, or '?' when the code page has no such character.
unsigned char toWindows1250(QChar c);
// The character of a Windows-1250 byte (the five unassigned bytes map to the C1 controls of their value).
QChar fromWindows1250(unsigned char byte);

}  // namespace orvella
