// A Windows-style settings (ini) file read and written with the rules of the profile-string functions.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace orvella {

// Reads the whole file when made (a missing or unreadable file reads as a file without sections; a pipe
// under the name is never waited on).
// Writes are applied in memory in the same way key-by-key writes would change the file, and reach the
// disk on flush(), which writes beside the file and then replaces it.
class IniFile {
 public:
  explicit IniFile(QString path);
  // Reads like the constructor, but raises Error naming the file when something is there that cannot
  // be read as a settings file: no regular file, larger than any settings file, or unreadable.
  static IniFile load(const QString& path);
  // Parses bytes as the contents of the file at path, which is not read; flush() writes there.
  static IniFile fromBytes(const QByteArray& bytes, QString path = QString());
  ~IniFile();
  IniFile(IniFile&&) noexcept;
  IniFile& operator=(IniFile&&) noexcept;

  const QString& path() const;

  // Section and key names compare without regard to case; the first of duplicates counts.
  bool hasSection(const QString& section) const;
  bool sectionHasKeys(const QString& section) const;  // a non-empty section
  bool hasKey(const QString& section, const QString& key) const;
  QStringList keys(const QString& section) const;
  QStringList sections() const;

  // At most 2047 characters, trimmed of surrounding blanks, enclosing quotes removed.
  QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
  // Decimal, or hexadecimal after "$", "0x" or "0X"; a non-number gives the default.
  int readInteger(const QString& section, const QString& key, int defaultValue) const;
  // Any number other than 0 is true; a non-number gives the default.
  bool readBool(const QString& section, const QString& key, bool defaultValue) const;

  // Replaces the value in place, or appends the key at the end of its section, or appends the section
  // at the end of the file. Every other line survives byte for byte.
  void writeString(const QString& section, const QString& key, const QString& value);
  void writeInteger(const QString& section, const QString& key, int value);
  void writeBool(const QString& section, const QString& key, bool value);  // "1" / "0"
  void eraseSection(const QString& section);

  // Writes pending changes (CRLF line ends). Raises Error "Unable to write to %s" with the path.
  // Changes that are never flushed are dropped.
  void flush();
  bool isDirty() const;
  // The file's contents as flush() would write them.
  QByteArray toBytes() const;

 private:
  struct Data;
  std::unique_ptr<Data> d_;
};

}  // namespace orvella
