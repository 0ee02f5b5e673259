// Feeds arbitrary bytes to the settings-file reader and writer, and to the theme read and write on top
// of it. Each input reads every key; then one of the theme's three uses of a settings file, chosen by
// the input's length, so that every input stays cheap and the fuzzer still reaches all three.
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

  orvella::Theme theme;
  switch (size % 3) {
    case 0:
      // New: the defaults read; and the file's text in the other code pages the program knows.
      orvella::decodeText(bytes);
      orvella::decodeTextAs(bytes, "windows-1252");
      try {
        orvella::readThemeDefaults(theme, ini);
      } catch (const orvella::Error&) {
        // A bad colour is the one error the theme reads may raise.
      }
      return 0;
    case 1:
      try {
        orvella::readThemeSettings(theme, ini, QString());
      } catch (const orvella::Error&) {
      }
      check(theme.holidays.size() == 12 && theme.holidays[1].size() == 29);
      return 0;
    default:
      break;
  }

  // Open, change, Save: what is written reads back the same.
  try {
    orvella::readThemeSettings(theme, ini, QString());
  } catch (const orvella::Error&) {
  }
  const QString value = QString::fromLatin1(bytes.left(64)).replace(QChar(0), QChar(' '));
  const QString section = sections.isEmpty() ? QStringLiteral("fuzz") : sections.front();
  ini.writeString(section, QStringLiteral("written"), value);
  if (sections.size() > 1) ini.eraseSection(sections.back());
  orvella::writeThemeSettings(theme, ini);

  const bool written = ini.hasKey(section, QStringLiteral("written"));
  const QString expected = ini.readString(section, QStringLiteral("written"), QString());
  const orvella::IniFile again = orvella::IniFile::fromBytes(ini.toBytes());
  check(again.toBytes() == ini.toBytes());
  if (written && isAscii(section) && isAscii(expected))
    check(again.readString(section, QStringLiteral("written"), QString()) == expected);
  orvella::Theme reread;
  try {
    orvella::readThemeSettings(reread, again, QString());
    // Texts lose the blanks around them and line breaks inside them, as every value written and read
    // does; sizes, colours and styles come back as they were.
    for (auto font : {&orvella::Theme::holidayFont, &orvella::Theme::weekdayFont,
                      &orvella::Theme::userHolidayFont, &orvella::Theme::forenamesFont}) {
      orvella::ThemeFont before = theme.*font, after = reread.*font;
      before.name = after.name;
      check(before == after);
    }
  } catch (const orvella::Error&) {
  }
  return 0;
}
