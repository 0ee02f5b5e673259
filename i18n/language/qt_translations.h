// Qt's own texts (the buttons of message boxes, the file, font and print dialogs, the context menus of
// edits) in the interface language.
#pragma once

#include <QString>

namespace orvella {

// Puts Qt's catalog of the language in place of the one installed before: Spanish for "espanol",
// Polish for "polski", none (Qt's built-in English) for any other. Returns false when the language has
// a catalog that could not be loaded; Qt's texts are English then.
bool useQtTranslationsOf(const QString& language);

}  // namespace orvella
