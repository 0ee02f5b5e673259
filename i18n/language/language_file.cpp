// Language files: the code page of their text, and the profile-string reads over it.
#include "i18n/language/language_file.h"

#include "i18n/language/language_choice.h"
#include "platform/settings/ini_file.h"
#include "platform/settings/settings_file_bytes.h"
#include "platform/settings/text_codec.h"
#include "platform/settings/windows1250.h"

namespace orvella {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

// The file's text as UTF-8 behind a byte-order mark, which the settings reader always takes as UTF-8.
// UTF-8 after a mark of its own, or when it reads as UTF-8 text as settings files are judged; any other
// text is in the code page its "charset" names.
QByteArray asUtf8(const QByteArray& bytes) {
  const bool bom = bytes.startsWith(kBom);
  const QByteArray text = bom ? bytes.sliced(3) : bytes;
  if (bom ? isValidUtf8(text) : readsAsUtf8(text)) return kBom + text;
  // The names of sections and keys are plain ASCII in every code page: read "charset" first.
  const int charset = IniFile::fromBytes(text).readInteger(QString::fromLatin1(language::kMainSection),
                                                           QString::fromLatin1(language::kCharsetKey),
                                                           language::kDefaultCharset);
  return kBom + decodeTextAs(text, codePageOfCharset(charset)).toUtf8();
}

}  // namespace

QByteArray codePageOfCharset(int charset) {
  switch (charset) {
    case 0: return "WINDOWS-1252";
    case 204: return "WINDOWS-1251";
    case 161: return "WINDOWS-1253";
    case 162: return "WINDOWS-1254";
    case 186: return "WINDOWS-1257";
    default: return "WINDOWS-1250";  // 238, 1 and anything unknown
  }
}

LanguageFile::LanguageFile() = default;

LanguageFile::LanguageFile(const QString& path) : path_(path) {
  SettingsFileBytes read = readSettingsFileBytes(path);
  if (read.refused()) refusal_ = read.error(path).message();
  ini_ = std::make_unique<IniFile>(IniFile::fromBytes(asUtf8(read.bytes), path));
}

LanguageFile LanguageFile::fromBytes(const QByteArray& bytes) {
  LanguageFile file;
  file.ini_ = std::make_unique<IniFile>(IniFile::fromBytes(asUtf8(bytes)));
  return file;
}

bool LanguageFile::usable() const {
  return refusal_.isEmpty() && ini_->hasSection(QString::fromLatin1(language::kMainWindowSection));
}

QString LanguageFile::problem() const {
  if (usable()) return {};
  return refusal_.isEmpty() ? language::missingLanguageFileMessage(path_) : refusal_;
}

LanguageFile::~LanguageFile() = default;
LanguageFile::LanguageFile(LanguageFile&&) noexcept = default;
LanguageFile& LanguageFile::operator=(LanguageFile&&) noexcept = default;

QString LanguageFile::read(const QString& section, const QString& key, const QString& defaultValue) const {
  return ini_->readString(section, key, defaultValue);
}

bool LanguageFile::has(const QString& section, const QString& key) const { return ini_->hasKey(section, key); }

QStringList LanguageFile::keys(const QString& section) const { return ini_->keys(section); }

int LanguageFile::charset() const {
  return ini_->readInteger(QString::fromLatin1(language::kMainSection), QString::fromLatin1(language::kCharsetKey),
                           language::kDefaultCharset);
}

QString LanguageFile::www() const {
  return read(QString::fromLatin1(language::kMainSection), QString::fromLatin1(language::kWwwKey),
              QString::fromLatin1(language::kDefaultWww));
}

}  // namespace orvella
