// The choice of the interface language and the files it reads and writes.
#include "i18n/language/language_choice.h"

#include <QDir>
#include <QFileInfo>

#include "i18n/language/ini_value.h"
#include "i18n/language/language_file.h"
#include "platform/errors/error.h"
#include "platform/settings/ini_file.h"

namespace orvella {
QString language_file_path;
}  // namespace orvella

namespace orvella::language {

QStringList offeredLanguages() {
  return {QString::fromLatin1(kEnglish), QString::fromLatin1(kSpanish), QString::fromLatin1(kPolish)};
}

QString rememberedLanguage(const QString& configFile) {
  return IniFile::load(configFile)
      .readString(QString::fromLatin1(kConfigSection), QString::fromLatin1(kConfigLanguageKey),
                  QString::fromLatin1(kNoLanguage));
}

void rememberLanguage(const QString& configFile, const QString& language) {
  // An installed copy keeps config.ini in the user's configuration folder, which may not exist yet.
  QDir().mkpath(QFileInfo(configFile).absolutePath());
  QString unused;
  ini_value(configFile, QString::fromLatin1(kConfigSection), QString::fromLatin1(kConfigLanguageKey), unused, 'w',
            language);
}

QString languageOfSystem(int languageId) {
  switch (languageId & 0xFF) {
    case 0x0A: return QString::fromLatin1(kSpanish);
    case 0x15: return QString::fromLatin1(kPolish);
    default: return QString::fromLatin1(kEnglish);
  }
}

QString languageFilePath(const QString& programDir, const QString& language) {
  return programDir + QStringLiteral("/lang/") + language + QStringLiteral(".lng");
}

QString missingLanguageFileMessage(const QString& path) {
  QString pattern;
  ini_value(path, QString::fromLatin1(kMessagesSection), QString::fromLatin1(kLangFileMissingKey), pattern, 'r',
            QString::fromUtf8(kLangFileMissing));
  // The line break first: the path, filled last, may hold a "%s" of its own, and it stays as it is.
  return formatMessage(formatMessage(pattern, QStringLiteral("\n\r")), path);
}

QString qtCatalogLanguage(const QString& language) {
  if (language == QLatin1String(kSpanish)) return QStringLiteral("es");
  if (language == QLatin1String(kPolish)) return QStringLiteral("pl");
  return {};
}

}  // namespace orvella::language
