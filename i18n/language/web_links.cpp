// The Help menu's addresses.
#include "i18n/language/web_links.h"

namespace orvella::language {

const char* const product_site_url = ORVELLA_SITE_URL;

QString siteAddress(const QString& site, const QString& www_part) { return site + www_part; }

QString themeGalleryAddress(const QString& site, const QString& www_part) {
  return siteAddress(site, www_part) + QStringLiteral("/download.php");
}

QString onlineHelpAddress(const QString& site, const QString& www_part) {
  return siteAddress(site, www_part) + QStringLiteral("/tutorial.php");
}

}  // namespace orvella::language
