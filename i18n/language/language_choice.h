// Which language file the program applies: the remembered choice in config.ini, else the system's
// language; where the file lies; and what the user is told when it is missing.
#pragma once

#include <QString>
#include <QStringList>

namespace orvella {

// The full path of the language file selected last, set at every selection before the file is looked
// for; so after a failed selection it names the missing file.
extern QString language_file_path;

}  // namespace orvella

namespace orvella::language {

// The language names, which are also the captions of the Language menu's items and the base names
// of the files in "lang".
inline constexpr const char* kEnglish = "english";
inline constexpr const char* kSpanish = "espanol";
inline constexpr const char* kPolish = "polski";
QStringList offeredLanguages();

// config.ini: "lang" of section "main"; "none" when missing (the system's language decides).
inline constexpr const char* kConfigSection = "main";
inline constexpr const char* kConfigLanguageKey = "lang";
inline constexpr const char* kNoLanguage = "none";

// The remembered language of config.ini, "none" without the file, the section or the key. Raises Error
// naming the file when something is there that is no settings file (a pipe, a folder, a huge file).
QString rememberedLanguage(const QString& configFile);
// Writes the language into config.ini; raises "Unable to write to %s" with the path when it cannot.
void rememberLanguage(const QString& configFile, const QString& language);

// The language of a Windows language identifier, by its low 8 bits: Spanish (0x0A) "espanol", Polish
// (0x15) "polski", any other "english".
QString languageOfSystem(int languageId);

// The language file of a language: the program's folder, "lang", the name and ".lng".
QString languageFilePath(const QString& programDir, const QString& language);

// The built-in text of the message shown when a language file is missing.
inline constexpr const char* kLangFileMissingKey = "msg_LangFileMissing";
inline constexpr const char* kLangFileMissing = "Brak pliku z wybraną wersją językową: %s%s";
// The message for a missing language file: its "msg_LangFileMissing" read from that same path (so,
// the file being absent, the built-in text), the first %s a line feed and a carriage return, the
// second the full path.
QString missingLanguageFileMessage(const QString& path);

// Qt's own catalogs for the language ("es", "pl"), none for English, whose texts Qt has built in.
QString qtCatalogLanguage(const QString& language);

}  // namespace orvella::language
