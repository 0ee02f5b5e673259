// A language file (".lng"): a settings file read once, in UTF-8 or in the code page its "charset" names.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace orvella {

class IniFile;

namespace language {
inline constexpr const char* kMainSection = "main";
inline constexpr const char* kCharsetKey = "charset";
inline constexpr const char* kWwwKey = "www";
inline constexpr const char* kMessagesSection = "messages";
inline constexpr const char* kHintSection = "h";
// Without a "charset" (or with one that is no number) a file counts as East European.
inline constexpr int kDefaultCharset = 1;
inline constexpr const char* kDefaultWww = "en";
}  // namespace language

// The Windows code page of a font character-set number, as iconv names it: 0 Western (Windows-1252),
// 238 and 1 (the default) East European (Windows-1250), 204 Cyrillic, 161 Greek, 162 Turkish, 186
// Baltic. Any other number reads as East European, like the default.
QByteArray codePageOfCharset(int charset);

class LanguageFile {
 public:
  // Reads the file once. Text that is valid UTF-8 (the shipped files) is read as UTF-8; any other is
  // read in the code page of its own "charset" value, so a Spanish file saved in Windows-1252 keeps its
  // "ñ". A missing or unreadable file reads as a file without sections.
  explicit LanguageFile(const QString& path);
  static LanguageFile fromBytes(const QByteArray& bytes);
  ~LanguageFile();
  LanguageFile(LanguageFile&&) noexcept;
  LanguageFile& operator=(LanguageFile&&) noexcept;

  // With the profile-string rules: names in any case, blanks and enclosing quotes dropped, at most
  // 2047 characters; the default when the key is missing.
  QString read(const QString& section, const QString& key, const QString& defaultValue) const;
  bool has(const QString& section, const QString& key) const;
  QStringList keys(const QString& section) const;

  int charset() const;  // "charset" of "main", 1 when missing or not a number
  QString www() const;  // "www" of "main", "en" when missing

 private:
  LanguageFile();
  std::unique_ptr<IniFile> ini_;
};

}  // namespace orvella
