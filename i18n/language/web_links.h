// The addresses of the Help menu's pages on the product web site.
#pragma once

#include <QString>

namespace orvella::language {

// The product web site as the build names it (CMake ORVELLA_SITE_URL), ending with "/"; empty when the
// build names none, and then the Help menu keeps to what comes with the program. The one place that
// names it.
extern const char* const product_site_url;

// Plain concatenation, nothing added between the parts: the site, then the language's folder on it
// (www_part, the "www" of the applied language file; empty before any was applied), then the page.
QString siteAddress(const QString& site, const QString& www_part);          // the site in the language
QString themeGalleryAddress(const QString& site, const QString& www_part);  // + "/download.php"
QString onlineHelpAddress(const QString& site, const QString& www_part);    // + "/tutorial.php"

}  // namespace orvella::language
