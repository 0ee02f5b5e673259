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
// The main window's section: a file without it is no language file of this program.
inline constexpr const char* kMainWindowSection = "f_Main";
}  // namespace language

// The Windows code page of a font character-set number, as iconv names it: 0 Western (Windows-1252),
// 238 and 1 (the default) East European (Windows-1250), 204 Cyrillic, 161 Greek, 162 Turkish, 186
// Baltic. Any other number reads as East European, like the default.
QByteArray codePageOfCharset(int charset);

class LanguageFile {
 public:
  // Reads the file once. Text after a byte-order mark, or that reads as UTF-8 text (the shipped files),
  // is read as UTF-8; any other is read in the code page of its own "charset" value, so a Spanish file
  // saved in Windows-1252 keeps its "ñ" and a Windows-1250 one its "ÓŁ". A missing file, or one that
  // is no regular file or too large, reads as a file without sections.
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

  // The file can be applied: it was read, and it has the main window's section. Applying one without
  // (empty, cut short, not a language file at all) would leave the menus without captions.
  bool usable() const;
  // Why it cannot be applied, naming the file: a file that is not there, or is damaged, is reported as
  // a missing one is; a pipe or a file too large says so.
  QString problem() const;

  int charset() const;  // "charset" of "main", 1 when missing or not a number
  QString www() const;  // "www" of "main", "en" when missing

 private:
  LanguageFile();
  QString path_;
  QString refusal_;  // the message for a file that is there but was not read
  std::unique_ptr<IniFile> ini_;
};

}  // namespace orvella
