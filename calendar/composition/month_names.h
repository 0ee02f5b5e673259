// The month names of the program's own language, January first.
#pragma once

#include <QString>

#include "platform/errors/message_texts.h"

namespace orvella {

// index 0..11; empty outside.
QString polishMonthName(int index);

// The weekday header's names, Monday first: keys of the language files' messages, the page's own
// Polish built in.
extern const MessageText kWeekdayNames[7];

}  // namespace orvella
