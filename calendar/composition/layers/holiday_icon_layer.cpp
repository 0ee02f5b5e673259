// The holiday icon: the theme's icon picture, stretched to a square at the cell's top, beside the day
// number, for holidays whose text began with "*".
#include "calendar/composition/month_page.h"
#include "theme/model/theme.h"

namespace orvella {

void holidayIconLayer(const DayCell& cell, MonthPage& page) {
  if (!cell.holiday || !cell.wantsIcon) return;
  const Picture icon = page.picture(page.theme().pictureHoliday);
  if (icon.isNull()) return;
  const page::DayGrid& grid = page.grid();
  page::Element& image = page.addImage(grid.iconLeft0 + cell.column * grid.pitch, grid.cellTop(cell.row),
                                       grid.iconSide, grid.iconSide);
  image.stretch = true;
  image.picture = icon;
}

}  // namespace orvella
