// The font dialog, behind the font-dialog seam.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace orvella::ui {

// A font as the program's fonts hold it: face, size, style and effects, and a colour.
struct FontChoice {
  QFont font;
  QColor colour;
};

struct FontDialogRequest {
  QString objectName;  // "fd_Fonts"
  QString title;       // empty: the platform's
  FontChoice initial;  // what the dialog shows first
};

// Shows the dialog with its effects (underline, strikeout), any size and a colour: one of the sixteen
// basic colours by name, or any other (or takes the answer a test set); the choice, or nothing when the
// user cancelled.
std::optional<FontChoice> chooseFont(const FontDialogRequest& request, QWidget* parent);

}  // namespace orvella::ui
