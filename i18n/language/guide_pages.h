// The user guide that comes with the program: a folder per language, named as the language's folder on
// the web site ("en", "es", "pl"), each holding the same pages, with index.html as the contents.
#pragma once

#include <QString>

namespace orvella::language {

// The contents page of the guide in the language whose site folder is `www_part` (the "www" of the
// applied language file). Before any language file was applied the windows speak their built-in
// Polish, so that is the Polish guide. A language the guide lacks, or a "www" that is no plain folder
// name, gets the English guide.
QString guideContents(const QString& guideDir, const QString& www_part);

// The page of the same name as `page` in the guide whose contents page is `contents`: the same page in
// another language. The contents page when that guide has no such page.
QString samePageIn(const QString& page, const QString& contents);

}  // namespace orvella::language
