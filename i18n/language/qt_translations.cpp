// Qt's translation catalogs, as the system installs them.
#include "i18n/language/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "i18n/language/language_choice.h"

namespace orvella {

bool useQtTranslationsOf(const QString& language) {
  static std::unique_ptr<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  const QString code = language::qtCatalogLanguage(language);
  if (code.isEmpty()) return true;
  auto catalog = std::make_unique<QTranslator>();
  if (!catalog->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  QCoreApplication::installTranslator(catalog.get());
  installed = std::move(catalog);
  return true;
}

}  // namespace orvella
