// The theme's settings file holidays.ini: the New defaults, the Open read and the Save write.
#pragma once

#include <QString>

#include "platform/settings/ini_file.h"
#include "theme/model/theme.h"

namespace orvella {

inline constexpr char kThemeSettingsFileName[] = "holidays.ini";
inline constexpr char kThemeSettingsVersion[] = "1.33";
// The section of the national holidays files linked to the theme: keys "1", "2", ... name them by file
// name. The original program reads no such section, so a theme that has one still opens there.
inline constexpr char kLinkedHolidaysSection[] = "linked_holidays";
// Separates a stored day text from its kind letter.
inline constexpr char16_t kDayKindSeparator = 30;

// New: both tables emptied, then every field but the month backgrounds from the file, with the New
// defaults. Day values are taken whole as text and get no kind. The default pictures are relative
// names ("images/flower.wmf"), not looked up anywhere.
void readThemeDefaults(Theme& theme, const IniFile& ini);

// Open: fills the whole theme from the file with the Open defaults, in the file's own order (months,
// then the four fonts, name, pictures, switches). Font sizes are brought into the range every font of
// the program keeps to (1 to 1000 points). A picture is looked for by its file name in workingDir alone
// and held by its full path there; one that is not there is left out of the theme (held empty) and its
// name as the file gives it is added to leftOut. A "color" that is neither a colour name nor a number
// raises Error "'%s' is not a valid integer value"; what was read before it keeps its new value.
// Every day a month can have is read, 29 February too. A linked holidays file is looked for like a
// picture, in workingDir alone; one that is not there or is no holidays file it can read is left out and
// its name added to linkedLeftOut.
void readThemeSettings(Theme& theme, const IniFile& ini, const QString& workingDir,
                       QStringList* leftOut = nullptr, QStringList* linkedLeftOut = nullptr);

// Save: rewrites every month section (every day with a text, 29 February too) and the linked holidays
// section (left out when nothing is linked), updates the font and [main] keys in place. Only changes ini in memory; the caller flushes it.
void writeThemeSettings(const Theme& theme, IniFile& ini);

// A stored day value: text, character 30, kind letter. A value without the separator is a user
// holiday; an empty kind line gives kind 0. The kind is one byte of the settings file's code page
// (Windows-1250), kept as it was read even when it is no letter the program knows.
HolidayEntry parseDayValue(const QString& value);
QString formatDayValue(const HolidayEntry& entry);

// The name the settings file keeps for a held picture path: the part after the last "\" or ":"
// (and after the last "/" of an absolute path), so a relative path with forward slashes stays whole.
QString pictureSettingName(const QString& heldPath);

// The full path of the file called name in folder, also when only the case of the name differs;
// empty when there is no such file.
QString findFileInFolder(const QString& folder, const QString& name);

}  // namespace orvella
