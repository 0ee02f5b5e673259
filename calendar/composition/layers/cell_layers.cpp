// The list of day-cell layers, in the order their elements are made and drawn.
#include "calendar/composition/layers/cell_layers.h"

namespace orvella {

void weekNumberLayer(const DayCell& cell, MonthPage& page);
void dayNumberLayer(const DayCell& cell, MonthPage& page);
void dayTextLayer(const DayCell& cell, MonthPage& page);
void holidayIconLayer(const DayCell& cell, MonthPage& page);
void moonPhaseLayer(const DayCell& cell, MonthPage& page);

std::span<const CellLayer> cellLayers() {
  static constexpr CellLayer kLayers[] = {weekNumberLayer, dayNumberLayer, dayTextLayer, holidayIconLayer,
                                              moonPhaseLayer};
  return kLayers;
}

}  // namespace orvella
