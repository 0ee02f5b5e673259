// The folders of the file dialogs, remembered for the run.
#include "platform/desktop/dialog_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace orvella {

namespace {

QHash<DialogFolder, QString>& lastFolders() {
  static QHash<DialogFolder, QString> folders;
  return folders;
}

QString existingUserFolder(QStandardPaths::StandardLocation location) {
  const QString folder = QStandardPaths::writableLocation(location);
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

}  // namespace

QString dialogFolder(DialogFolder kind, const QString& otherwise) {
  const QString last = lastFolders().value(kind);
  return last.isEmpty() ? otherwise : last;
}

void rememberDialogFolder(DialogFolder kind, const QString& chosenFile) {
  if (!chosenFile.isEmpty()) lastFolders().insert(kind, QFileInfo(chosenFile).absolutePath());
}

void forgetDialogFolders() { lastFolders().clear(); }

QString userDocumentsFolder() { return existingUserFolder(QStandardPaths::DocumentsLocation); }

QString userPicturesFolder() { return existingUserFolder(QStandardPaths::PicturesLocation); }

}  // namespace orvella
