// The message boxes a test has seen through the dialog seams.
#pragma once

#include <QMessageBox>
#include <QStringList>
#include <optional>

#include "ui/dialog_seams.h"

namespace orvella::testing {

// The texts of the message boxes shown so far, of one kind (an icon) or all.
inline QStringList messageBoxTexts(std::optional<QMessageBox::Icon> icon = std::nullopt) {
  QStringList texts;
  for (const ui::MessageBoxRequest& box : ui::seams().messageBoxes.requests())
    if (!icon || box.icon == *icon) texts << box.text;
  return texts;
}

}  // namespace orvella::testing
