// Default, window-free hooks of the archive component's message boxes.
#include "theme/archive/backup_dialogs.h"

namespace orvella {

namespace {
void rememberError(const QString& message) { BackupFileDialogs::lastError = message; }
}  // namespace

std::function<void(const QString&)> BackupFileDialogs::showError = rememberError;
std::function<bool(const QString&)> BackupFileDialogs::askOkCancel;
QString BackupFileDialogs::lastError;

void BackupFileDialogs::reset() {
  showError = rememberError;
  askOkCancel = nullptr;
  lastError.clear();
}

}  // namespace orvella
