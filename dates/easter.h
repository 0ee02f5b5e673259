// The date of Easter Sunday in the Gregorian calendar, and of the Orthodox Easter Sunday.
#pragma once

#include "dates/calendar_days.h"

namespace orvella {

// Easter Sunday of a year (March or April). Meaningful for the years 1583 onwards.
CivilDate easterSunday(int year);
// Its day number; raises Error "Invalid argument to date encode" outside the years 1..9999.
int easterSundayDayNumber(int year);

// The Orthodox Easter Sunday of a year: reckoned in the Julian calendar, as the Orthodox churches do,
// and given as the Gregorian date it falls on (April or May in the years 1900 to 2099). Meaningful for
// the years 1583 onwards.
CivilDate orthodoxEasterSunday(int year);

}  // namespace orvella
