// The list, radio-group and grid rules of language-file values.
#include "i18n/language/text_rules.h"

namespace orvella::language {

namespace {

const QString kItemBreak = QStringLiteral("\\n");
const QString kColumnBreak = QStringLiteral("\\r");

// The texts of a value split at `separator`: each text before a separator, then what remains only
// when it is not empty ("a\n" is one text, "a\nb" two, "\n" one empty one).
QStringList splitValue(const QString& value, const QString& separator) {
  QStringList texts;
  qsizetype from = 0;
  for (qsizetype at; (at = value.indexOf(separator, from)) >= 0; from = at + separator.size())
    texts << value.mid(from, at - from);
  if (from < value.size()) texts << value.mid(from);
  return texts;
}

}  // namespace

QStringList applyListRule(QStringList items, const QString& value) {
  const QStringList texts = splitValue(value, kItemBreak);
  for (qsizetype i = 0; i < texts.size() && i < items.size(); ++i) items[i] = texts[i];
  return items;
}

std::uint8_t rememberedIndex(int index) { return index < 0 ? 255 : static_cast<std::uint8_t>(index % 256); }

int restoredIndex(std::uint8_t remembered, int itemCount) { return remembered > itemCount ? 0 : remembered; }

RadioGroupText splitRadioGroupValue(const QString& value) {
  const qsizetype at = value.indexOf(kColumnBreak);
  if (at < 0) return {std::nullopt, value};
  return {value.left(at), value.mid(at + kColumnBreak.size())};
}

void applyGridRule(const QString& value, int columnCount, int rowCount,
                   const std::function<void(int column, int row, const QString& text)>& set) {
  const QStringList columns = splitValue(value, kColumnBreak);
  for (int column = 0; column < columns.size() && column < columnCount; ++column) {
    const QStringList cells = splitValue(columns[column], kItemBreak);
    for (int row = 0; row < cells.size() && row < rowCount; ++row)
      if (!cells[row].isEmpty()) set(column, row, cells[row]);
  }
}

}  // namespace orvella::language
