// File dialogs with a seam for tests.
#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace orvella {

namespace {
std::function<QString(const FileDialogRequest&)>& answerer() {
  static std::function<QString(const FileDialogRequest&)> instance;
  return instance;
}
}  // namespace

void setFileDialogAnswerer(std::function<QString(const FileDialogRequest&)> newAnswerer) {
  answerer() = std::move(newAnswerer);
}

QString qtFilter(const QString& windowsFilter) {
  const QStringList parts = windowsFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
  return filters.join(QStringLiteral(";;"));
}

QString runFileDialog(const FileDialogRequest& request, QWidget* parent) {
  if (answerer()) return answerer()(request);
  QFileDialog dialog(parent, request.title, request.folder, qtFilter(request.filter));
  dialog.setObjectName(request.objectName);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (request.kind == FileDialogRequest::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace orvella
