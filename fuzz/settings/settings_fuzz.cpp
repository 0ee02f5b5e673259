// Feeds arbitrary bytes to the settings-file reader and writer, and to the theme read on top of it.
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "platform/errors/error.h"
#include "platform/settings/ini_file.h"
#include "platform/settings/text_codec.h"
#include "theme/model/theme_settings.h"

namespace {

bool isAscii(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0x80) return false;
  return true;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orvella::decodeText(bytes);
  orvella::decodeTextAs(bytes, "windows-1252");

  orvella::IniFile ini = orvella::IniFile::fromBytes(bytes);
  // A file nobody wrote to goes back out exactly as it came in.
  check(ini.toBytes() == bytes);

  const QStringList sections = ini.sections();
  for (const QString& section : sections) {
    for (const QString& key : ini.keys(section)) {
      check(ini.hasKey(section, key));
      check(ini.readString(section, key, QString()).size() <= 2047);
      ini.readInteger(section, key, 0);
      ini.readBool(section, key, false);
    }
  }

  // A bad colour is the one error the theme reads may raise.
  orvella::Theme theme;
  try {
    orvella::readThemeSettings(theme, ini, 2012, QString());
  } catch (const orvella::Error&) {
  }
  try {
    orvella::readThemeDefaults(theme, ini, 2013);
  } catch (const orvella::Error&) {
  }

  // Write a value taken from the input into the first section (or a new one), erase the last one.
  const QString value = QString::fromLatin1(bytes.left(64)).replace(QChar(0), QChar(' '));
  const QString section = sections.isEmpty() ? QStringLiteral("fuzz") : sections.front();
  ini.writeString(section, QStringLiteral("written"), value);
  if (sections.size() > 1) ini.eraseSection(sections.back());
  orvella::writeThemeSettings(theme, ini, 2013);

  const bool written = ini.hasKey(section, QStringLiteral("written"));
  const QString expected = ini.readString(section, QStringLiteral("written"), QString());
  const orvella::IniFile again = orvella::IniFile::fromBytes(ini.toBytes());
  check(again.toBytes() == ini.toBytes());
  if (written && isAscii(section) && isAscii(expected))
    check(again.readString(section, QStringLiteral("written"), QString()) == expected);
  return 0;
}
