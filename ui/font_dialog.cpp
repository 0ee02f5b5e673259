// The font dialog through the seam.
#include "ui/font_dialog.h"

#include <QFontDialog>

#include "ui/dialog_seams.h"

namespace orvella::ui {

std::optional<FontChoice> chooseFont(const FontDialogRequest& request, QWidget* parent) {
  if (const auto answer = seams().fontDialogs.answerFor(request)) return *answer;
  QFontDialog dialog(request.initial.font, parent);
  dialog.setObjectName(request.objectName);
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  // Qt's own dialog, the same on every desktop, so that a test can find its parts.
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FontChoice{dialog.selectedFont(), request.initial.colour};
}

}  // namespace orvella::ui
