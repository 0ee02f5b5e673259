// The open and save dialogs of the main window, behind a seam that tests answer.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace orvella {

struct FileDialogRequest {
  enum Kind { Open, Save } kind = Open;
  QString objectName;     // "od_Load", "sd_Save"
  QString title;          // empty: the platform's
  QString folder;         // initial folder
  QString filter;         // Windows form: "description|*.ext"
  QString defaultSuffix;  // without the dot
};

// Shows the dialog and returns the chosen path, or an empty text when it was cancelled.
QString runFileDialog(const FileDialogRequest& request, QWidget* parent);
// Tests answer the dialogs; an empty answerer restores the real dialogs.
void setFileDialogAnswerer(std::function<QString(const FileDialogRequest&)> answerer);
// "description|*.ext|..." as Qt writes filters: "description (*.ext);;...".
QString qtFilter(const QString& windowsFilter);

}  // namespace orvella
