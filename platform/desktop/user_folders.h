// The user's own folders for the program's state, as the desktop names them.
#pragma once

#include <QString>

namespace orvella {

// Where the user's configuration files of this program belong (named for the application).
QString userConfigFolder();

// A folder of this program for files that live only while it works with them: in the session's
// runtime folder where the session has one (a memory file system, emptied at log-out), else in the
// user's cache folder.
QString userScratchFolder();

}  // namespace orvella
