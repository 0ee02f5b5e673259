// The radio group's buttons, made and named by the group itself.
#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvella::ui {

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), buttons_(new QButtonGroup(this)) {
  new QVBoxLayout(this);
}

void RadioGroup::setItems(const QStringList& items) {
  for (QAbstractButton* button : buttons_->buttons()) delete button;
  int id = 0;
  for (const QString& text : items) {
    auto* button = new QRadioButton(text, this);  // no name: an item, not a component
    buttons_->addButton(button, id++);
    layout()->addWidget(button);
  }
}

QStringList RadioGroup::items() const {
  QStringList texts;
  for (int id = 0; QAbstractButton* button = buttons_->button(id); ++id) texts << button->text();
  return texts;
}

void RadioGroup::renameItems(const QStringList& texts) {
  for (int id = 0; id < texts.size(); ++id)
    if (QAbstractButton* button = buttons_->button(id)) button->setText(texts[id]);
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = buttons_->checkedButton()) {
    buttons_->setExclusive(false);
    checked->setChecked(false);
    buttons_->setExclusive(true);
  }
}

}  // namespace orvella::ui
