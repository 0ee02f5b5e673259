// Moon phases (the theme's "moon_phases"): the four principal phases, each a small drawn symbol in the
// top right corner of its day's number cell, on the day the phase falls in the request's time zone.
#include "calendar/composition/month_page.h"
#include "theme/model/theme.h"

namespace orvella {

namespace {
constexpr int kSide = 9;
constexpr int kInset = 3;
}  // namespace

void moonPhaseLayer(const DayCell& cell, MonthPage& page) {
  const int phase = page.moonPhaseOn(cell.day);
  if (phase < 0) return;
  const page::DayGrid& grid = page.grid();
  const int side = grid.scaled(kSide);
  page::Element& moon = page.addElement(page::ElementKind::Moon, grid.cellLeft(cell.column) + grid.width - side - grid.scaled(kInset),
                                        grid.cellTop(cell.row) + grid.scaled(kInset), side, side);
  moon.phase = phase;
  moon.day = cell.day;
  moon.fillColor = page.weekdayFont().color;
}

}  // namespace orvella
