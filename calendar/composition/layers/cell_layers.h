// The layers of a day cell, in drawing order: each adds its elements for one day. A new mark in the
// cells is a file of its own here, its place in the list (cell_layers.cpp) and its switch in the theme.
#pragma once

#include <span>

namespace orvella {

struct DayCell;
class MonthPage;

using CellLayer = void (*)(const DayCell& cell, MonthPage& page);

std::span<const CellLayer> cellLayers();

}  // namespace orvella
