// Language files: the code page of their text, and the profile-string reads over it.
#include "i18n/language/language_file.h"

#include <QFile>

#include "platform/settings/ini_file.h"
#include "platform/settings/text_codec.h"
#include "platform/settings/windows1250.h"

namespace orvella {

namespace {

// As for every settings file: one larger than this is no language file and reads as empty.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
constexpr char kBom[] = "\xEF\xBB\xBF";

QByteArray readBounded(const QString& path) {
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) return {};
  QByteArray bytes = file.read(kMaxFileSize + 1);
  return bytes.size() > kMaxFileSize ? QByteArray() : bytes;
}

// The file's text as UTF-8 behind a byte-order mark, which the settings reader always takes as UTF-8.
QByteArray asUtf8(const QByteArray& bytes) {
  if (bytes.startsWith(kBom) || isValidUtf8(bytes)) return bytes.startsWith(kBom) ? bytes : kBom + bytes;
  // The names of sections and keys are plain ASCII in every code page: read "charset" first.
  const int charset = IniFile::fromBytes(bytes).readInteger(QString::fromLatin1(language::kMainSection),
                                                            QString::fromLatin1(language::kCharsetKey),
                                                            language::kDefaultCharset);
  return kBom + decodeTextAs(bytes, codePageOfCharset(charset)).toUtf8();
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

LanguageFile::LanguageFile(const QString& path)
    : ini_(std::make_unique<IniFile>(IniFile::fromBytes(asUtf8(readBounded(path)), path))) {}

LanguageFile LanguageFile::fromBytes(const QByteArray& bytes) {
  LanguageFile file;
  file.ini_ = std::make_unique<IniFile>(IniFile::fromBytes(asUtf8(bytes)));
  return file;
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
