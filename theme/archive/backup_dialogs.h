// The two message boxes of the archive component, behind hooks that the application points at real
// windows. Without them nothing is shown: an error message is only remembered, and there is nobody to
// ask for the next disk (Backup stops; Restore raises an error naming the volume it lacks).
#pragma once

#include <QString>
#include <functional>

namespace orvella {

struct BackupFileDialogs {
  // An error message with an OK button.
  static std::function<void(const QString& message)> showError;
  // An information question with OK and Cancel; true when OK was pressed. Empty: nobody to ask.
  static std::function<bool(const QString& message)> askOkCancel;

  // The last message given to the default error hook (empty when none).
  static QString lastError;

  // Puts both hooks back to their defaults and forgets the last error.
  static void reset();
};

}  // namespace orvella
