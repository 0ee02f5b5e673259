// Windows file-dialog filters ("Text files (*.txt)|*.txt|...") in the form Qt's dialogs take.
#pragma once

#include <QString>

namespace orvella::preview {

// Each description|pattern pair becomes one Qt filter; a description that already names its patterns
// in parentheses stays as it stands, otherwise the patterns are added. Filters are joined by ";;".
QString qtFileFilter(const QString& windowsFilter);

}  // namespace orvella::preview
