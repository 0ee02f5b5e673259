// The Help menu's addresses.
#include "i18n/language/web_links.h"

namespace orvella::language {

QString siteAddress(const QString& www_part) { return QString::fromLatin1(product_site_url) + www_part; }

QString themeGalleryAddress(const QString& www_part) { return siteAddress(www_part) + QStringLiteral("/download.php"); }

QString onlineHelpAddress(const QString& www_part) { return siteAddress(www_part) + QStringLiteral("/tutorial.php"); }

}  // namespace orvella::language
