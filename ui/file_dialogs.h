// The open and save dialogs of every window, behind the file-dialog seam.
#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace orvella::ui {

struct FileDialogRequest {
  enum Kind { Open, Save } kind = Open;
  QString objectName;     // "od_Load", "sd_Save", ...
  QString title;          // empty: the platform's
  QString folder;         // where the dialog starts
  QString fileName;       // the name it suggests, without a folder; empty: none
  QString filter;         // Windows form: "description|*.ext|..."
  QString defaultSuffix;  // without the dot
  bool anyName = false;   // an open dialog takes a name that does not exist (the caller says so)
};

// Shows the dialog (or takes the answer a test set) and returns the chosen path, empty when the user
// cancelled.
QString chooseFile(const FileDialogRequest& request, QWidget* parent);

// An open dialog a window keeps for its whole life: prepared before each use, it holds the file name
// last chosen (the main window keeps its current theme file there, and others may borrow the dialog).
struct OpenDialog {
  FileDialogRequest request;
  QString fileName;

  // Shows the dialog as the request says: true when a file was chosen, which fileName then holds;
  // false on Cancel, fileName unchanged.
  bool execute(QWidget* parent);
};

// The real dialog of a request, not yet shown: Qt's own dialog (the same on every desktop), the filter
// in Qt's form, names matched in any case ("*.hol" lists Theme.HOL too, as on Windows).
void setUpFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

}  // namespace orvella::ui
