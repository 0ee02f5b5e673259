// Named colours, their text form in settings files, and their look.
#include "platform/colors/colors.h"

#include <array>

#include "platform/errors/error.h"

namespace orvella {

namespace {
struct NamedColor {
  const char* name;
  ColorValue value;
};

constexpr std::array<NamedColor, 41> kNamed{{
    {"clBlack", 0x000000},   {"clMaroon", 0x000080}, {"clGreen", 0x008000},   {"clOlive", 0x008080},
    {"clNavy", 0x800000},    {"clPurple", 0x800080}, {"clTeal", 0x808000},    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},  {"clRed", 0x0000FF},    {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},   {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},        {"clBackground", 0x80000001},   {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},  {"clMenu", 0x80000004},         {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},      {"clMenuText", 0x80000007},     {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},      {"clActiveBorder", 0x8000000A}, {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},     {"clHighlight", 0x8000000D},    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},          {"clBtnShadow", 0x80000010},    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},          {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},     {"cl3DDkShadow", 0x80000015},   {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},         {"clInfoBk", 0x80000018},
}};

// The classic Windows desktop scheme, as RGB, for system colours 0..24.
constexpr std::array<std::uint32_t, 25> kSystemRgb{{
    0xC8C8C8, 0x3A6EA5, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x404040, 0xDFDFDF, 0x000000, 0xFFFFE1,
}};

std::optional<qint64> parseInteger(const QString& raw) {
  const QString text = raw.trimmed();
  bool ok = false;
  qint64 value = 0;
  if (text.startsWith(QLatin1Char('$')))
    value = text.mid(1).toLongLong(&ok, 16);
  else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
    value = text.mid(2).toLongLong(&ok, 16);
  else
    value = text.toLongLong(&ok, 10);
  if (!ok || value < -2147483648LL || value > 0xFFFFFFFFLL) return std::nullopt;
  return value;
}
}  // namespace

const std::array<ColorValue, 16>& basicColors() {
  static const std::array<ColorValue, 16> basic = [] {
    std::array<ColorValue, 16> made{};
    for (std::size_t i = 0; i < made.size(); ++i) made[i] = kNamed[i].value;
    return made;
  }();
  return basic;
}

std::optional<ColorValue> colorFromName(const QString& name) {
  for (const auto& c : kNamed)
    if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) return c.value;
  return std::nullopt;
}

QString colorToString(ColorValue value) {
  for (const auto& c : kNamed)
    if (c.value == value) return QString::fromLatin1(c.name);
  return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

ColorValue colorFromString(const QString& text) {
  if (auto named = colorFromName(text.trimmed())) return *named;
  if (auto number = parseInteger(text)) return static_cast<ColorValue>(*number);
  throw Error(formatMessage(QString::fromLatin1(messages::kNotAnInteger), text));
}

QColor toQColor(ColorValue value) {
  std::uint32_t rgb;
  if (value & kSystemColorBase) {
    const std::uint32_t index = value & 0xFF;
    rgb = index < kSystemRgb.size() ? kSystemRgb[index] : 0;
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

ColorValue fromQColor(const QColor& color) {
  return static_cast<ColorValue>(color.red()) | (static_cast<ColorValue>(color.green()) << 8) |
         (static_cast<ColorValue>(color.blue()) << 16);
}

}  // namespace orvella
