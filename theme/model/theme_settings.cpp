// The theme's settings file holidays.ini: the New defaults, the Open read and the Save write.
#include "theme/model/theme_settings.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

#include "platform/fonts/font_points.h"
#include "platform/settings/settings_file_bytes.h"
#include "platform/settings/windows1250.h"
#include "theme/model/holiday_table.h"

namespace orvella {

namespace {

struct FontSection {
  const char* section;
  ThemeFont Theme::*font;
  const char* defaultName;
  int defaultSize;
};

// The order in which the fonts are read and written.
constexpr FontSection kFonts[] = {
    {"font_holiday", &Theme::holidayFont, "SF Intellivised Outline", 46},
    {"font_weekday", &Theme::weekdayFont, "SF Intellivised", 46},
    {"font_user_holiday", &Theme::userHolidayFont, "SF Intellivised Outline", 46},
    {"font_forenames", &Theme::forenamesFont, "Arial", 10},
};

const QString kMain = QStringLiteral("main");
// More links than any theme needs are not read: a settings file cannot make an Open read without end.
constexpr int kMostLinkedHolidays = 254;

// "1" ... "31": the names of the month sections and day keys, made once for the hundreds of lookups
// of every read and write.
const QString& numberName(int n) {
  static const std::array<QString, 32> names = [] {
    std::array<QString, 32> made;
    for (int i = 0; i < 32; ++i) made[i] = QString::number(i);
    return made;
  }();
  return names[std::size_t(n)];
}

QString L(const char* text) { return QString::fromLatin1(text); }

// Fills the font field by field, so that a bad colour leaves name and size already read.
void readFont(Theme& theme, const FontSection& fontSection, const IniFile& ini) {
  const QString section = L(fontSection.section);
  ThemeFont& font = theme.*fontSection.font;
  font = ThemeFont();
  font.name = ini.readString(section, QStringLiteral("name"), L(fontSection.defaultName));
  // Sizes stay within the range that pages and report files keep to, so that whatever a file says,
  // a page composed from the theme can be drawn, saved and loaded again.
  font.size = clampFontPoints(ini.readInteger(section, QStringLiteral("size"), fontSection.defaultSize));
  font.color = colorFromString(ini.readString(section, QStringLiteral("color"), QStringLiteral("clBlack")));
  font.bold = ini.readBool(section, QStringLiteral("style_bold"), false);
  font.italic = ini.readBool(section, QStringLiteral("style_italic"), false);
  font.underline = ini.readBool(section, QStringLiteral("style_underline"), false);
  font.strikeout = ini.readBool(section, QStringLiteral("style_strikeout"), false);
}

void writeFont(const ThemeFont& font, const char* sectionName, IniFile& ini) {
  const QString section = L(sectionName);
  ini.writeString(section, QStringLiteral("name"), font.name);
  ini.writeInteger(section, QStringLiteral("size"), font.size);
  ini.writeString(section, QStringLiteral("color"), colorToString(font.color));
  ini.writeBool(section, QStringLiteral("style_bold"), font.bold);
  ini.writeBool(section, QStringLiteral("style_italic"), font.italic);
  ini.writeBool(section, QStringLiteral("style_underline"), font.underline);
  ini.writeBool(section, QStringLiteral("style_strikeout"), font.strikeout);
}

// The file name at the end of a picture's name, whichever separators it uses.
QString fileNameOf(const QString& value) {
  qsizetype cut = -1;
  for (QChar separator : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
    cut = std::max(cut, value.lastIndexOf(separator));
  return value.mid(cut + 1);
}

constexpr const char* kFitNames[] = {"stretch", "fill", "fit"};  // in the order of BackgroundFit

QString backgroundFitName(BackgroundFit fit) { return QLatin1String(kFitNames[static_cast<int>(fit)]); }

// Any other value (a later program's, a typing error) stretches, as the original program does.
BackgroundFit backgroundFitNamed(const QString& name) {
  for (int i = 0; i < 3; ++i)
    if (name.trimmed().compare(QLatin1String(kFitNames[i]), Qt::CaseInsensitive) == 0) return BackgroundFit(i);
  return BackgroundFit::Stretch;
}

void readFontsNameSwitches(Theme& theme, const IniFile& ini, const QString& pictureHoliday,
                           const QString& pictureLeft, const QString& workingDir, bool lookUp,
                           QStringList* leftOut = nullptr) {
  for (const FontSection& fontSection : kFonts) readFont(theme, fontSection, ini);
  theme.name = ini.readString(kMain, QStringLiteral("name"), QStringLiteral("Default"));
  auto picture = [&](const char* key, const QString& fallback) {
    const QString read = ini.readString(kMain, L(key), fallback);
    if (!lookUp || read.isEmpty()) return read;
    // Only the working folder is looked in, whatever folder the name holds: a Save packs every
    // picture the theme holds, and a stranger's theme must not name a file of the user's.
    const QString found = findFileInFolder(workingDir, fileNameOf(read));
    if (found.isEmpty() && leftOut) *leftOut << read;
    return found;
  };
  theme.pictureHoliday = picture("picture_holiday", pictureHoliday);
  theme.pictureLeft = picture("picture_left", pictureLeft);
  theme.sundayLikeWeekday = ini.readBool(kMain, QStringLiteral("sunday_like_weekday"), false);
  theme.withoutForenames = ini.readBool(kMain, QStringLiteral("without_forenames"), false);
  theme.drawFrames = ini.readBool(kMain, QStringLiteral("draw_frames"), false);
  theme.weekNumbers = ini.readBool(kMain, QStringLiteral("week_numbers"), false);
  const int firstWeekday = ini.readInteger(kMain, QStringLiteral("first_weekday"), 1);
  theme.firstWeekday = firstWeekday == 6 || firstWeekday == 7 ? firstWeekday : 1;
  theme.backgroundFit = backgroundFitNamed(ini.readString(kMain, QStringLiteral("background_fit"), QString()));
  theme.moonPhases = ini.readBool(kMain, QStringLiteral("moon_phases"), false);
  theme.miniMonths = ini.readBool(kMain, QStringLiteral("mini_months"), false);
}

// A file the composition can add holidays from: a settings file of a size it reads, with section "1".
bool isHolidaysFile(const QString& path) {
  const SettingsFileBytes read = readSettingsFileBytes(path);
  return read.state == SettingsFileBytes::Read &&
         IniFile::fromBytes(read.bytes, path).sectionHasKeys(QStringLiteral("1"));
}

// The linked files, in their keys' order "1", "2", ... up to the first missing one.
QStringList readLinkedHolidays(const IniFile& ini, const QString& workingDir, QStringList* leftOut) {
  const QString section = L(kLinkedHolidaysSection);
  QStringList linked;
  for (int n = 1; n <= kMostLinkedHolidays; ++n) {
    const QString name = ini.readString(section, QString::number(n), QString());
    if (name.isEmpty()) break;
    // Looked for by its file name in the working folder only, as a picture is: a stranger's theme must
    // not make the program read a file of the user's.
    const QString found = findFileInFolder(workingDir, fileNameOf(name));
    if (found.isEmpty() || !isHolidaysFile(found)) {
      if (leftOut) *leftOut << name;
    } else if (!linked.contains(found)) {
      linked << found;
    }
  }
  return linked;
}

// The day a key of a month section stands for: its number written as the program writes it ("5",
// never "05"), up to the month's length; 0 for any other key.
int dayOfKey(const QString& key, int length) {
  if (key.isEmpty() || key.size() > 2 || key[0] == QLatin1Char('0')) return 0;
  int day = 0;
  for (QChar c : key) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    day = day * 10 + (c.unicode() - '0');
  }
  return day <= length ? day : 0;
}

void ensureTwelveRows(HolidayTable& table) {
  if (table.size() != 12) table.resize(12);
}

// Lines as a string list takes them from text: a break is CR, LF or CR LF, and a break at the very
// end does not start another line.
QStringList splitLines(const QString& text) {
  QStringList lines;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n) {
    const qsizetype start = i;
    while (i < n && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n')) ++i;
    lines.append(text.mid(start, i - start));
    if (i < n && text[i] == QLatin1Char('\r')) ++i;
    if (i < n && text[i] == QLatin1Char('\n')) ++i;
  }
  return lines;
}

}  // namespace

HolidayEntry parseDayValue(const QString& value) {
  QString text = value;
  text.replace(QChar(kDayKindSeparator), QStringLiteral("\r\n"));
  const QStringList lines = splitLines(text);
  HolidayEntry entry;
  if (!lines.isEmpty()) entry.text = lines.front();
  if (lines.size() < 2)
    entry.kind = kUserHoliday;
  else
    entry.kind =
        lines[1].isEmpty() ? kNoHolidayKind : static_cast<char>(windows1250::encodeChar(lines[1].front()));
  return entry;
}

QString formatDayValue(const HolidayEntry& entry) {
  QString value = entry.text + QChar(kDayKindSeparator);
  if (entry.kind != kNoHolidayKind) value += windows1250::decodeByte(static_cast<unsigned char>(entry.kind));
  return value;
}

QString pictureSettingName(const QString& heldPath) {
  qsizetype cut = std::max(heldPath.lastIndexOf(QLatin1Char('\\')), heldPath.lastIndexOf(QLatin1Char(':')));
  if (QDir::isAbsolutePath(heldPath)) cut = std::max(cut, heldPath.lastIndexOf(QLatin1Char('/')));
  return heldPath.mid(cut + 1);
}

QString findFileInFolder(const QString& folder, const QString& name) {
  if (name.isEmpty() || folder.isEmpty()) return QString();
  QString relative = name;
  relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const QDir dir(folder);
  const QFileInfo exact(dir.filePath(relative));
  if (exact.isFile()) return exact.absoluteFilePath();
  if (relative.contains(QLatin1Char('/'))) return QString();
  // File names compare without case where themes come from.
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& entry : entries)
    if (entry.compare(relative, Qt::CaseInsensitive) == 0) return dir.absoluteFilePath(entry);
  return QString();
}

void readThemeDefaults(Theme& theme, const IniFile& ini) {
  resetTables(theme);
  for (int month = 1; month <= 12; ++month) {
    const QString& section = numberName(month);
    HolidayRow& row = theme.holidays[month - 1];
    for (const QString& key : ini.keys(section))
      if (const int day = dayOfKey(key, static_cast<int>(row.size())))
        row[day - 1].text = ini.readString(section, key, QString());
  }
  readFontsNameSwitches(theme, ini, QStringLiteral("images/flower.wmf"),
                        QStringLiteral("images/band_music.wmf"), QString(), false);
  theme.linkedHolidays.clear();
}

void readThemeSettings(Theme& theme, const IniFile& ini, const QString& workingDir, QStringList* leftOut,
                       QStringList* linkedLeftOut) {
  ensureTwelveRows(theme.holidays);
  ensureTwelveRows(theme.holidaysEditCopy);
  for (int month = 1; month <= 12; ++month) {
    const QString& section = numberName(month);
    theme.backgrounds[month - 1] = ini.readString(section, QStringLiteral("bg"), QString());
    const int length = longestMonth(month);
    theme.holidays[month - 1].assign(length, HolidayEntry());
    theme.holidaysEditCopy[month - 1].assign(length, HolidayEntry());
    HolidayRow& row = theme.holidays[month - 1];
    for (const QString& key : ini.keys(section))
      if (const int day = dayOfKey(key, length))
        row[day - 1] = parseDayValue(ini.readString(section, key, QString()));
  }
  readFontsNameSwitches(theme, ini, QStringLiteral("flower.wmf"), QStringLiteral("band_music.wmf"),
                        workingDir, true, leftOut);
  theme.linkedHolidays = readLinkedHolidays(ini, workingDir, linkedLeftOut);
}

void writeThemeSettings(const Theme& theme, IniFile& ini) {
  for (int month = 1; month <= 12; ++month) {
    const QString& section = numberName(month);
    ini.eraseSection(section);
    const QString& background = theme.backgrounds[month - 1];
    if (!background.isEmpty()) ini.writeString(section, QStringLiteral("bg"), background);
    if (static_cast<size_t>(month) > theme.holidays.size()) continue;
    const HolidayRow& row = theme.holidays[month - 1];
    const int length = std::min(longestMonth(month), static_cast<int>(row.size()));
    for (int day = 1; day <= length; ++day) {
      const HolidayEntry& entry = row[day - 1];
      if (!entry.text.isEmpty()) ini.writeString(section, numberName(day), formatDayValue(entry));
    }
  }
  for (const FontSection& fontSection : kFonts) writeFont(theme.*fontSection.font, fontSection.section, ini);
  ini.writeString(kMain, QStringLiteral("name"), theme.name);
  ini.writeString(kMain, QStringLiteral("picture_holiday"), pictureSettingName(theme.pictureHoliday));
  ini.writeString(kMain, QStringLiteral("picture_left"), pictureSettingName(theme.pictureLeft));
  ini.writeString(kMain, QStringLiteral("version"), L(kThemeSettingsVersion));
  ini.writeBool(kMain, QStringLiteral("sunday_like_weekday"), theme.sundayLikeWeekday);
  ini.writeBool(kMain, QStringLiteral("without_forenames"), theme.withoutForenames);
  ini.writeBool(kMain, QStringLiteral("draw_frames"), theme.drawFrames);
  ini.writeBool(kMain, QStringLiteral("week_numbers"), theme.weekNumbers);
  // Our keys are written only when chosen, so a theme without them saves as it always did.
  if (theme.firstWeekday != 1) ini.writeInteger(kMain, QStringLiteral("first_weekday"), theme.firstWeekday);
  if (theme.backgroundFit != BackgroundFit::Stretch)
    ini.writeString(kMain, QStringLiteral("background_fit"), backgroundFitName(theme.backgroundFit));
  if (theme.moonPhases) ini.writeBool(kMain, QStringLiteral("moon_phases"), true);
  if (theme.miniMonths) ini.writeBool(kMain, QStringLiteral("mini_months"), true);
  const QString linked = L(kLinkedHolidaysSection);
  ini.eraseSection(linked);
  for (qsizetype n = 0; n < theme.linkedHolidays.size(); ++n)
    ini.writeString(linked, QString::number(n + 1), fileNameOf(theme.linkedHolidays[n]));
}

}  // namespace orvella
