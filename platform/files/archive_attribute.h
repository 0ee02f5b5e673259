// The Windows "archive" file attribute: set whenever a file is written, cleared by a backup.
//
// Linux has no such attribute, so it lives in the extended attribute "user.orvella.archive": "1" when
// set, or "0" and the file's modification time (nanoseconds) when it was cleared. A file without the
// extended attribute counts as set, and so does a cleared one whose modification time has changed
// since: writing a file sets the attribute, as on Windows. On a file system without user extended
// attributes the attribute always reads as set and cannot be cleared.
#pragma once

#include <QString>

namespace orvella::files {

inline constexpr const char* kArchiveAttributeName = "user.orvella.archive";

// True when the file's archive attribute is set (see above); true also when it cannot be read.
bool archiveAttribute(const QString& path);

// Sets or clears the archive attribute; false when the file system refuses.
bool setArchiveAttribute(const QString& path, bool set);

}  // namespace orvella::files
