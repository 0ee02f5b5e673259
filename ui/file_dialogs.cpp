// File dialogs through the seam.
#include "ui/file_dialogs.h"

#include <QFileDialog>

#include "ui/dialog_seams.h"
#include "ui/file_filter.h"

namespace orvella::ui {

void setUpFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setObjectName(request.objectName);
  dialog.setWindowTitle(request.title);
  dialog.setDirectory(request.folder);
  // Files come from Windows as often as not, named .HOL or .hol. The desktop's own dialogs match a
  // pattern's case exactly; Qt's dialog matches without regard to case unless told otherwise.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilter(qtFileFilter(request.filter));
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (request.kind == FileDialogRequest::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.anyName ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  }
  dialog.setSizeGripEnabled(true);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
}

QString chooseFile(const FileDialogRequest& request, QWidget* parent) {
  if (const auto answer = seams().fileDialogs.answerFor(request)) return *answer;
  QFileDialog dialog(parent);
  setUpFileDialog(dialog, request);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

bool OpenDialog::execute(QWidget* parent) {
  request.kind = FileDialogRequest::Open;
  const QString chosen = chooseFile(request, parent);
  if (chosen.isEmpty()) return false;
  fileName = chosen;
  return true;
}

}  // namespace orvella::ui
