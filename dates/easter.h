// The date of Easter Sunday in the Gregorian calendar.
#pragma once

#include "dates/calendar_days.h"

namespace orvella {

// Easter Sunday of a year (March or April). Meaningful for the years 1583 onwards.
CivilDate easterSunday(int year);
// Its day number; raises Error "Invalid argument to date encode" outside the years 1..9999.
int easterSundayDayNumber(int year);

}  // namespace orvella
