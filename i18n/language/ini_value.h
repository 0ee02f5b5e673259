// One call that opens a settings file, reads or writes one key, and closes it again.
#pragma once

#include <QString>

namespace orvella {

// Mode 'r': result := the key's value, or `text` when it is missing. Mode 'w': the key gets `text`,
// and the file is written at once (raising "Unable to write to %s" with the path when it cannot be);
// result is left alone. Any other mode does nothing.
void ini_value(const QString& path, const QString& section, const QString& key, QString& result, char mode,
               const QString& text);

}  // namespace orvella
