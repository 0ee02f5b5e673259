// How one language-file value becomes the texts of a list, a radio group or a grid. Item separators
// are the two characters backslash and "n" (between items and between the cells of a column) and
// backslash and "r" (after a radio group's caption, between grid columns), not line breaks.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

namespace orvella::language {

// The items of a list after a value: item i is replaced by the value's i-th text while there are both
// (an empty text replaces too); items are never added or removed, so extra texts are ignored and
// items without a text keep theirs.
QStringList applyListRule(QStringList items, const QString& value);

// A list's selection as a list remembers it over the change: the index modulo 256, no selection
// (a negative index) as 255.
std::uint8_t rememberedIndex(int index);
// The selection set again afterwards: the remembered index unless it is above the number of items,
// else the first item. So a list without a selection ends with its first item selected.
int restoredIndex(std::uint8_t remembered, int itemCount);

// A radio group's value: the caption before the first "\r" (none without one), then the item list.
struct RadioGroupText {
  std::optional<QString> caption;
  QString items;
};
RadioGroupText splitRadioGroupValue(const QString& value);

// A grid's value: columns separated by "\r", the cells of a column from the top row down separated by
// "\n". set(column, row, text) is called for every cell whose text is not empty and that lies inside
// the grid (column below columnCount, row below rowCount); other cells keep their texts.
void applyGridRule(const QString& value, int columnCount, int rowCount,
                   const std::function<void(int column, int row, const QString& text)>& set);

}  // namespace orvella::language
