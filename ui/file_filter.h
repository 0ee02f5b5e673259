// Windows file-dialog filters ("description|*.ext;*.ext2|...") in the form Qt's dialogs take.
#pragma once

#include <QString>

namespace orvella::ui {

// Each description|patterns pair becomes one Qt filter "description (patterns)", joined by ";;". Qt
// reads a filter's patterns from its last parentheses: a description that already ends with exactly
// its patterns keeps them (";" read as a blank), any other gets the patterns added, so
// "user holidays (.hol)|*.hol" lists *.hol files. A description without patterns lists every file.
QString qtFileFilter(const QString& windowsFilter);

}  // namespace orvella::ui
