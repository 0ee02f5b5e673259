// Where the program reads its data and keeps its state: one answer for the window and the export.
#pragma once

#include <QString>

namespace orvella {

struct ProgramPaths {
  QString dataDir;     // fonts/, images/, holidays/, lang/ and the loose pictures
  QString workingDir;  // the working folder "temp" (a second copy gets one of its own beside it)
  QString configFile;  // config.ini
  QString guideDir;    // the user guide, a folder per language
};

// The program's data: beside the executable (the build folder, a portable copy), or in
// ../share/orvella (an installed copy, whose executable's folder holds no data).
QString findDataDir(const QString& executableDir);

// A copy that keeps its data beside itself in a folder it may write keeps its state there too:
// "temp" and "config.ini" beside the executable. An installed copy, or one whose folder is read-only,
// writes nothing there: config.ini goes to the user's configuration folder and the working folder to
// the user's runtime (else cache) folder. The guide lies beside the data of a portable copy, and in
// share/doc/orvella of an installed one. The user's folders are named for the application, so the
// application object must exist.
ProgramPaths locateProgramPaths(const QString& executableDir);

}  // namespace orvella
