// The addresses of the Help menu's pages on the product web site.
#pragma once

#include <QString>

namespace orvella::language {

// The product web site; ends with "/". The one place that names it.
inline constexpr const char* product_site_url = "https://www.orvella.example/";

// Plain concatenation, nothing added between the parts: the site, then the language's folder on it
// (www_part, the "www" of the applied language file; empty before any was applied), then the page.
QString siteAddress(const QString& www_part);          // the site in the language
QString themeGalleryAddress(const QString& www_part);  // + "/download.php"
QString onlineHelpAddress(const QString& www_part);    // + "/tutorial.php"

}  // namespace orvella::language
