// What a failed Open tells the user: which file, and why, in the interface language.
#pragma once

#include <QString>

namespace orvella {

// The message for the theme file at path that could not be opened for reason, the message load_theme
// raised. The archive keeps its own texts in one language; those are said in the interface language.
QString themeNotOpenedMessage(const QString& path, const QString& reason);

}  // namespace orvella
