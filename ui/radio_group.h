// A radio group: a group box whose caption heads a column of radio buttons, one of which is chosen. The
// buttons are items of the group, not components of their own, so the language walk sets the caption
// and the items together, by the radio-group rule.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace orvella::ui {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  explicit RadioGroup(QWidget* parent = nullptr);

  // Replaces the buttons; none is chosen afterwards.
  void setItems(const QStringList& items);
  QStringList items() const;
  // Renames the buttons in order; buttons are never added or removed here.
  void renameItems(const QStringList& texts);

  int itemIndex() const;  // -1: none chosen
  void setItemIndex(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace orvella::ui
