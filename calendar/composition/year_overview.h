// The year overview, a page kind of its own: a landscape page with the year as its title and the twelve
// months small, four in a row, in the theme's fonts and colours, Sundays and the theme's holidays
// marked.
#pragma once

#include "calendar/composition/month_composition.h"

namespace orvella {

// The overview of the request's year (its month is not read); the composed page's month is 0.
ComposedPage composeYearOverview(const MonthRequest& request);

}  // namespace orvella
