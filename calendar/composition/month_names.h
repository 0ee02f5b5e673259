// The month names of the program's own language, January first.
#pragma once

#include <QString>

namespace orvella {

// index 0..11; empty outside.
QString polishMonthName(int index);

}  // namespace orvella
