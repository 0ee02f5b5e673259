// Where the file dialogs start: each kind of dialog starts in the folder it was last used in while the
// program runs, and before that in a folder the user keeps such files in.
#pragma once

#include <QString>

namespace orvella {

enum class DialogFolder { Themes, Pictures, Pages };

// The folder a dialog of the kind starts in: the one a file was last chosen in during this run, else
// `otherwise`.
QString dialogFolder(DialogFolder kind, const QString& otherwise);
// A file was chosen in a dialog of the kind: its folder is where the next one starts.
void rememberDialogFolder(DialogFolder kind, const QString& chosenFile);
// Every kind starts afresh, as at the start of the program.
void forgetDialogFolders();

// The user's documents and pictures folders as the desktop names them; the home folder where the
// desktop names none or the folder does not exist.
QString userDocumentsFolder();
QString userPicturesFolder();

}  // namespace orvella
