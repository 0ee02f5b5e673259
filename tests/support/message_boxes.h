// The message boxes a test has seen through the dialog seams.
#pragma once

#include <QMessageBox>
#include <QStringList>
#include <optional>

#include "tests/support/screenshots.h"
#include "ui/dialog_seams.h"

namespace orvella::testing {

// The texts of the message boxes shown so far, of one kind (an icon) or all.
inline QStringList messageBoxTexts(std::optional<QMessageBox::Icon> icon = std::nullopt) {
  QStringList texts;
  for (const ui::MessageBoxRequest& box : ui::seams().messageBoxes.requests())
    if (!icon || box.icon == *icon) texts << box.text;
  return texts;
}

// The box a request asked for, drawn as the real one would be over parent, kept as a screenshot.
inline void keepScreenshotOfBox(const ui::MessageBoxRequest& request, QWidget* parent, const QString& name) {
  QMessageBox box(request.icon, request.title, request.text, QMessageBox::StandardButtons(request.buttons), parent);
  box.show();
  keepScreenshot(box, name);
}

}  // namespace orvella::testing
