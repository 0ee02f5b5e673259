// The composed page as JSON, for checks and for people who compare pages by program.
#pragma once

#include <QJsonObject>

#include "calendar/page/generated_page.h"

namespace orvella {

// {"year": Y, "month": M, "elements": [...]}: every band and element in drawing order, boxes in layout
// units, colours as 0x and 8 hexadecimal digits of the stored value; keys that do not apply to a kind
// are left out. A page printed on another paper than its own adds "paper": the paper's width and height
// and where the sheet lands on it (scale, left and top), in millimetres.
QJsonObject pageToJson(const page::GeneratedPage& page, int year, int month);

}  // namespace orvella
