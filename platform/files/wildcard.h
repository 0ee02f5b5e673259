// File-name masks with "*" and "?", matched the way the Windows file search matches them.
#pragma once

#include <QString>

namespace orvella::files {

// True when name matches mask without regard to case. "*" stands for any run of characters, "?" for one
// character; "*.*" matches every name, also one without an extension.
bool matchesMask(const QString& name, const QString& mask);

// True when text holds "*" or "?".
bool hasWildcards(const QString& text);

}  // namespace orvella::files
