// Colour values as the settings files store them: 0x00BBGGRR, or 0x80000000 + index for system colours.
#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace orvella {

using ColorValue = std::uint32_t;

inline constexpr ColorValue kSystemColorBase = 0x80000000u;
inline constexpr ColorValue clBlack = 0x000000;
inline constexpr ColorValue clGray = 0x808080;
inline constexpr ColorValue clWhite = 0xFFFFFF;
inline constexpr ColorValue clWindowText = kSystemColorBase + 8;

// The sixteen colours with a name that are no system colours, clBlack to clWhite, in the names' order.
const std::array<ColorValue, 16>& basicColors();
// One of the 41 names ("clBlack" .. "clInfoBk"), compared without regard to case.
std::optional<ColorValue> colorFromName(const QString& name);
// The name when the value has one, otherwise "$" and 8 upper-case hexadecimal digits.
QString colorToString(ColorValue value);
// The settings-file reading: a name, otherwise the text as an integer (decimal, "$" or "0x" hex).
// Raises Error "'%s' is not a valid integer value" for anything else.
ColorValue colorFromString(const QString& text);
// What the colour looks like: system colours take the classic desktop scheme.
QColor toQColor(ColorValue value);
ColorValue fromQColor(const QColor& color);

}  // namespace orvella
