// The composed page as JSON, for checks and for people who compare pages by program.
#pragma once

#include <QJsonObject>

#include "calendar/page/generated_page.h"

namespace orvella {

// {"year": Y, "month": M, "elements": [...]}: every band and element in drawing order, boxes in layout
// units, colours as 0x and 8 hexadecimal digits of the stored value; keys that do not apply to a kind
// are left out.
QJsonObject pageToJson(const page::GeneratedPage& page, int year, int month);

}  // namespace orvella
